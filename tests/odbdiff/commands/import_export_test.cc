// odbdiff import and export: the JSON form to an object file and back.
#include <gtest/gtest.h>  // TEST_F, TEST_P, EXPECT_*

#include <cmath>    // NAN
#include <ostream>  // std::ostream for PrintTo
#include <set>      // std::set
#include <string>   // std::string

#include "diff/host/list_library.h"     // CStrList
#include "diff/host/object_database.h"  // CvxODB, CvxSlot
#include "runner/odbdiff_fixture.h"     // OdbdiffFixture
#include "runner/odbdiff_runner.h"      // ReadFile, WriteFile, Entries

namespace odbdiff_test {
namespace {

using OdbdiffImportTest = OdbdiffFixture;
using OdbdiffExportTest = OdbdiffFixture;

// Every kind of value, objects and slots out of sorted order, and texts with
// escapes, tabs, line breaks and UTF-8, in the layout export writes.
constexpr char kEveryKind[] = R"({
  "zeta-pump": {
    "model": "KSB \"Etanorm\"\tA\\B",
    "label": "Förderpumpe Nr. 1 — Kühlwasser ✓",
    "notes": "line one\nline two",
    "flow": {
      "number": 12.5,
      "units": "m3/h"
    },
    "speed": 1450,
    "offset": -3,
    "ratio": 0.1,
    "tiny": 1e-07,
    "huge": 1e+20,
    "minus-zero": -0.0,
    "power": {
      "number": -0.75,
      "units": "kW"
    },
    "tags": [
      "feed",
      "",
      "ünïcode"
    ],
    "spares": [],
    "empty": ""
  },
  "alpha-tank": {},
  "mid-valve": {
    "state": "open"
  }
}
)";

TEST_F(OdbdiffImportTest, ExportGivesBackWhatWasImported) {
  ASSERT_NO_FATAL_FAILURE(Import("plant.odb", kEveryKind));
  const RunResult exported = Run({"export", "plant.odb"});
  EXPECT_EQ(exported.exit_status, 0);
  EXPECT_EQ(exported.err, "");
  EXPECT_EQ(exported.out, kEveryKind);
}

TEST_F(OdbdiffImportTest, ValuesReachTheLibraryWithTheirKinds) {
  ASSERT_NO_FATAL_FAILURE(Import("plant.odb", kEveryKind));
  CvxODB database(0, Path("plant.odb").c_str(), 0);
  ASSERT_NE(database.Open(1), 0);
  CStrList objects;
  database.GetObjects(&objects);
  ASSERT_EQ(objects.GetLength(), 3);
  EXPECT_STREQ(objects.GetTextAt(0), "zeta-pump");
  EXPECT_STREQ(objects.GetTextAt(2), "mid-valve");

  CvxSlot slot;
  ASSERT_NE(database.GetValue("zeta-pump", "flow", slot, 0), 0);
  EXPECT_TRUE(slot.IsNumber());
  EXPECT_EQ(slot.Number(), 12.5);
  EXPECT_STREQ(slot.Units(), "m3/h");
  ASSERT_NE(database.GetValue("zeta-pump", "speed", slot, 0), 0);
  EXPECT_TRUE(slot.IsNumber());
  EXPECT_FALSE(slot.HasUnits());
  ASSERT_NE(database.GetValue("zeta-pump", "tags", slot, 0), 0);
  EXPECT_TRUE(slot.IsList());
  CStrList items;
  slot.GetListItems(&items);
  ASSERT_EQ(items.GetLength(), 3);
  EXPECT_STREQ(items.GetTextAt(1), "");
  ASSERT_NE(database.GetValue("zeta-pump", "model", slot, 0), 0);
  EXPECT_TRUE(slot.IsText());
  EXPECT_STREQ(slot.Text(), "KSB \"Etanorm\"\tA\\B");
}

TEST_F(OdbdiffImportTest, NumbersComeBackInTheirShortestForm) {
  ASSERT_NO_FATAL_FAILURE(Import("numbers.odb", R"({"n": {"a": 100.0, "b": 2.50, "c": 1E2,
      "d": -0, "e": 9007199254740992, "f": 0.30000000000000004, "g": 1.5e300,
      "h": 18446744073709551616, "i": -100000000000000000000}})"));
  const RunResult exported = Run({"export", "numbers.odb"});
  EXPECT_EQ(exported.exit_status, 0);
  EXPECT_EQ(exported.out, R"({
  "n": {
    "a": 100,
    "b": 2.5,
    "c": 100,
    "d": 0,
    "e": 9007199254740992,
    "f": 0.30000000000000004,
    "g": 1.5e+300,
    "h": 1.8446744073709552e+19,
    "i": -1e+20
  }
}
)");
}

TEST_F(OdbdiffImportTest, ReplacesAnObjectFileAndLeavesNothingBeside) {
  ASSERT_NO_FATAL_FAILURE(Import("plant.odb", R"({"old": {"x": 1}})"));
  ASSERT_NO_FATAL_FAILURE(Import("plant.odb", R"({"new": {}})"));
  EXPECT_EQ(Run({"export", "plant.odb"}).out, "{\n  \"new\": {}\n}\n");
  EXPECT_EQ(Entries(folder_.path()), (std::set<std::string>{"plant.odb", "plant.odb.json"}));
}

TEST_F(OdbdiffExportTest, EmptyObjectFileIsAnEmptyJsonObject) {
  ASSERT_NO_FATAL_FAILURE(Import("empty.odb", "{}"));
  const RunResult exported = Run({"export", "empty.odb"});
  EXPECT_EQ(exported.exit_status, 0);
  EXPECT_EQ(exported.out, "{}\n");
}

TEST_F(OdbdiffExportTest, RefusesValuesJsonCannotCarry) {
  {
    CvxODB database(0, Path("odd.odb").c_str(), 0);
    ASSERT_NE(database.Open(0), 0);
    ASSERT_NE(database.CreateObject("p", nullptr), 0);
    ASSERT_NE(database.SetNumberValue("p", "x", NAN, nullptr), 0);
    ASSERT_NE(database.CreateObject("q", nullptr), 0);
    ASSERT_NE(database.SetValue("q", "y", "caf\xe9", 0, 0), 0);  // Latin-1, not UTF-8
    ASSERT_NE(database.Close(1), 0);
  }
  const RunResult exported = Run({"export", "odd.odb"});
  EXPECT_EQ(exported.exit_status, 2);
  EXPECT_EQ(exported.err,
            "odbdiff: odd.odb: object p, slot x: holds a number that is infinite or not a number, "
            "which JSON cannot carry\n");
}

// A JSON form that import refuses, and the one line it says why.
struct Refusal {
  std::string json;
  std::string message;
};

void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.json; }

// What a slot value may be, as the refusal of one says it.
std::string NotASlotValue(const std::string& path) {
  return path +
         ": expected a string, a number, {\"number\": N, \"units\": \"U\"} or an array of strings";
}

class OdbdiffImportRefusalTest : public OdbdiffFixture,
                                 public ::testing::WithParamInterface<Refusal> {};

TEST_P(OdbdiffImportRefusalTest, NamesTheOffendingValueAndWritesNothing) {
  WriteFile(Path("in.json"), GetParam().json);
  const RunResult result = Run({"import", "in.json", "out.odb"});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "odbdiff: in.json: " + GetParam().message + "\n");
  EXPECT_EQ(Entries(folder_.path()), std::set<std::string>{"in.json"});
}

INSTANTIATE_TEST_SUITE_P(
    Forms, OdbdiffImportRefusalTest,
    ::testing::Values(
        Refusal{R"({"pump-1": {"flow": true}})", NotASlotValue("/pump-1/flow")},
        Refusal{R"({"p": {"a": 1, "x": null}})", NotASlotValue("/p/x")},
        Refusal{R"({"p": {"x": {"number": 1}}})", NotASlotValue("/p/x")},
        Refusal{R"({"p": {"x": {"number": 1, "units": "kg", "note": "n"}}})",
                NotASlotValue("/p/x")},
        Refusal{R"({"p": {"x": {"number": "1", "units": "kg"}}})", NotASlotValue("/p/x")},
        Refusal{R"({"p": {"x": {"number": 1, "units": ["kg"]}}})", NotASlotValue("/p/x")},
        Refusal{R"({"a/b~c": {"x": {}}})", NotASlotValue("/a~1b~0c/x")},
        Refusal{R"({"p": {"l": ["a", 3]}})",
                "/p/l/1: expected a string: the items of a list are texts"},
        Refusal{R"({"p": {"l": ["a", "b", ["c"]]}})",
                "/p/l/2: expected a string: the items of a list are texts"},
        Refusal{R"({"p": {"x": 1, "x": 2}})", "/p/x: duplicate key"},
        Refusal{R"({"p": {"x": {"number": 1, "number": 2, "units": "kg"}}})",
                "/p/x/number: duplicate key"},
        Refusal{R"({"p": {}, "q": {}, "p": {}})", "/p: duplicate key"},
        Refusal{R"({"": {}})", "/: an object name cannot be empty"},
        Refusal{R"(["p"])", "expected an object whose keys are object names"},
        Refusal{R"({"p": "text"})", "/p: expected an object whose keys are slot names"},
        Refusal{R"({"p": {"x": {"number": 1, "units": ""}}})",
                "/p/x/units: units cannot be empty; write a number without units as the number "
                "alone"},
        Refusal{R"({"p": {"x": 9007199254740993}})",
                "/p/x: integer 9007199254740993 has no exact double value"},
        Refusal{R"({"p": {"x": 18446744073709551615}})",
                "/p/x: integer 18446744073709551615 has no exact double value"},
        Refusal{R"({"p": {"x": 18446744073709551617}})",
                "/p/x: integer 18446744073709551617 has no exact double value"},
        Refusal{R"({"p": {"l": [], "x": -9223372036854775809}})",
                "/p/x: integer -9223372036854775809 has no exact double value"},
        Refusal{R"({"p": {"x": {"number": 99999999999999999999, "units": "kg"}}})",
                "/p/x/number: integer 99999999999999999999 has no exact double value"},
        Refusal{R"({"p": {"x": -1e400}})", "number overflow parsing '-1e400'"},
        Refusal{std::string(R"({"a": {"s": "v"}})") + '\0' + "garbage",
                "a NUL byte at line 1, column 18, which JSON text cannot hold"},
        Refusal{std::string("{\n  \"a\": ") + '\0' + "{}}",
                "a NUL byte at line 2, column 8, which JSON text cannot hold"},
        Refusal{"{\"p\": {\"x\": \"\xff\x01\"}}",
                "parse error at line 1, column 14: syntax error while parsing value - invalid "
                "string: ill-formed UTF-8 byte; last read: '\"\\xFF'"},
        Refusal{R"({"p": {"x": "a\u0000b"}})", "/p/x: a text cannot hold the NUL character"},
        Refusal{R"({"p": {"l": ["\u0000"]}})", "/p/l/0: a text cannot hold the NUL character"},
        Refusal{R"({"p": {"a\u0000b": "x"}})", "/p: a slot name cannot hold the NUL character"},
        Refusal{R"({"a\u0000b": {}})", "an object name cannot hold the NUL character"},
        Refusal{R"({"p": {"x": 1})", "parse error at line 1, column 15: syntax error while "
                                     "parsing object - unexpected end of input; expected '}'"},
        Refusal{R"({"p": {}} {})", "parse error at line 1, column 11: syntax error while parsing "
                                   "value - unexpected '{'; expected end of input"},
        Refusal{"", "parse error at line 1, column 1: syntax error while parsing value - "
                    "unexpected end of input; expected '[', '{', or a literal"}));

TEST_F(OdbdiffImportTest, KeepsTheFormerFileWhenRefused) {
  ASSERT_NO_FATAL_FAILURE(Import("plant.odb", R"({"kept": {}})"));
  WriteFile(Path("bad.json"), R"({"new": {"x": 1}, "broken": 5})");
  const RunResult result = Run({"import", "bad.json", "plant.odb"});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.err,
            "odbdiff: bad.json: /broken: expected an object whose keys are slot names\n");
  EXPECT_EQ(Run({"export", "plant.odb"}).out, "{\n  \"kept\": {}\n}\n");
  EXPECT_EQ(Entries(folder_.path()),
            (std::set<std::string>{"bad.json", "plant.odb", "plant.odb.json"}));
}

TEST_F(OdbdiffImportTest, ReplacesNoFileThatIsNoObjectFile) {
  WriteFile(Path("in.json"), "{}");
  WriteFile(Path("notes.txt"), "keep me");
  const RunResult result = Run({"import", "in.json", "notes.txt"});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.err,
            "odbdiff: notes.txt: exists and is not an object file, so it is not replaced\n");
  EXPECT_EQ(ReadFile(Path("notes.txt")), "keep me");
}

}  // namespace
}  // namespace odbdiff_test
