// --json, --accept and --stat through odbdiff as a user runs it: the JSON of
// differences checked against its schema and against the difference
// databases, the round trip that accepts what --json wrote, and the counts.
#include <gtest/gtest.h>  // TEST_F, EXPECT_*, GTEST_SKIP

#include <cmath>       // NAN
#include <cstdlib>     // std::system
#include <filesystem>  // std::filesystem::create_directory, copy_file
#include <map>         // std::map
#include <set>         // std::set
#include <string>      // std::string
#include <vector>      // std::vector

#include <nlohmann/json.hpp>  // nlohmann::json, to read the document back

#include "diff/host/list_library.h"     // CStrList
#include "diff/host/object_database.h"  // CvxODB
#include "runner/odbdiff_fixture.h"     // OdbdiffFixture
#include "runner/odbdiff_runner.h"      // RunResult, ReadFile, WriteFile

namespace odbdiff_test {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

constexpr char kA[] = R"({
  "p1": {"type": "pump", "flow": {"number": 12.5, "units": "m3/h"}, "tag": "100-P-001", "old": "x"},
  "p2": {"a": "1"},
  "only-a": {"k": "v"}
})";
constexpr char kB[] = R"({
  "p1": {"type": "pump", "flow": {"number": 13, "units": "m3/h"}, "tag": "120-P-001", "new": ["y", "z"]},
  "p2": {"a": "1"},
  "only-b": {}
})";

// The differences of kA and kB as --json writes them, object by object.
constexpr char kOnlyA[] =
    R"({"name": "only-a", "status": "only-in-a", "slots": [{"name": "k", "status": "only-in-a", "a": "v"}]})";
constexpr char kOnlyB[] = R"({"name": "only-b", "status": "only-in-b", "slots": []})";
constexpr char kP1[] =
    R"({"name": "p1", "status": "differs", "slots": [{"name": "flow", "status": "values-differ", )"
    R"("a": {"number": 12.5, "units": "m3/h"}, "b": {"number": 13, "units": "m3/h"}}, )"
    R"({"name": "new", "status": "only-in-b", "b": ["y", "z"]}, )"
    R"({"name": "old", "status": "only-in-a", "a": "x"}, )"
    R"({"name": "tag", "status": "values-differ", "a": "100-P-001", "b": "120-P-001"}]})";
constexpr char kRules[] =
    R"({"value-rule": "numeric", "tolerance": 2, "ignore-objects": [], "ignore-slots": []})";

std::string Document(const std::string& command, const std::string& a, const std::string& b,
                     const std::string& listing, const std::string& counts) {
  return "{\n  \"format\": \"odbdiff-differences\",\n  \"version\": 2,\n  \"command\": \"" +
         command + "\",\n  \"a\": \"" + a + "\",\n  \"b\": \"" + b + "\",\n  \"rules\": " + kRules +
         ",\n  " + listing + ",\n  \"counts\": " + counts + "\n}\n";
}

std::string Counts(int in_a, int in_b, int identical, int differing, int only_a, int only_b,
                   int slots_a, int slots_b, int values) {
  return "{\"objects-in-a\": " + std::to_string(in_a) +
         ", \"objects-in-b\": " + std::to_string(in_b) +
         ", \"objects-identical\": " + std::to_string(identical) +
         ", \"objects-differing\": " + std::to_string(differing) +
         ", \"objects-only-in-a\": " + std::to_string(only_a) +
         ", \"objects-only-in-b\": " + std::to_string(only_b) +
         ", \"slots-only-in-a\": " + std::to_string(slots_a) +
         ", \"slots-only-in-b\": " + std::to_string(slots_b) +
         ", \"slots-values-differ\": " + std::to_string(values) + "}";
}

// The value texts of the object-database library for the values of kA and kB.
std::string ValueText(const Json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_array()) {
    std::string text;
    for (const Json& item : value) text += (text.empty() ? "" : "\n") + item.get<std::string>();
    return text;
  }
  return value["number"].dump() + " " + value["units"].get<std::string>();
}

// The differences of a JSON document and of kept difference databases, one
// line each, comparable as sets.
std::set<std::string> JsonDifferences(const Json& document) {
  std::set<std::string> lines;
  for (const Json& object : document["objects"]) {
    const std::string name = object["name"];
    if (object["status"] != "differs") {
      lines.insert(object["status"].get<std::string>() + " " + name);
      continue;
    }
    for (const Json& slot : object["slots"]) {
      std::string line = slot["status"].get<std::string>() + " " + name + " " +
                         slot["name"].get<std::string>();
      if (slot.contains("a")) line += " a=" + ValueText(slot["a"]);
      if (slot.contains("b")) line += " b=" + ValueText(slot["b"]);
      lines.insert(line);
    }
  }
  return lines;
}

// Object name to slot name to value text.
std::map<std::string, std::map<std::string, std::string>> ReadAll(const std::string& path) {
  std::map<std::string, std::map<std::string, std::string>> all;
  CvxODB database(0, path.c_str(), 0);
  EXPECT_NE(database.Open(1), 0) << path;
  CStrList objects;
  database.GetObjects(&objects);
  for (int i = 0; i < objects.GetLength(); ++i) {
    const char* object = objects.GetTextAt(i);
    CStrList slots;
    CStrList values;
    database.LoadAllSlots(object, &slots, &values, 0, 0);
    for (int k = 0; k < slots.GetLength(); ++k) all[object][slots.GetTextAt(k)] = values.GetTextAt(k);
  }
  return all;
}

std::set<std::string> DatabaseDifferences(const std::string& folder) {
  std::set<std::string> lines;
  const auto combined = ReadAll(folder + "/combined-differences.odb");
  const auto a = ReadAll(folder + "/a-differences.odb");
  const auto b = ReadAll(folder + "/b-differences.odb");
  for (const char* list : {"__Objects In A, Not in B__", "__Objects In B, Not in A__"}) {
    const auto found = combined.find(list);
    if (found == combined.end()) continue;
    const std::string status = list[13] == 'A' ? "only-in-a " : "only-in-b ";
    for (const auto& [number, object] : found->second) lines.insert(status + object);
  }
  for (const auto& [object, slots] : a) {
    const auto other = b.find(object);
    for (const auto& [slot, value] : slots) {
      if (other != b.end() && other->second.count(slot) != 0) {
        lines.insert("values-differ " + object + " " + slot + " a=" + value +
                     " b=" + other->second.at(slot));
      } else {
        lines.insert("only-in-a " + object + " " + slot + " a=" + value);
      }
    }
  }
  for (const auto& [object, slots] : b) {
    const auto other = a.find(object);
    for (const auto& [slot, value] : slots) {
      if (other == a.end() || other->second.count(slot) == 0) {
        lines.insert("only-in-b " + object + " " + slot + " b=" + value);
      }
    }
  }
  return lines;
}

class OdbdiffJsonOutputTest : public OdbdiffFixture {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Import("a.odb", kA));
    ASSERT_NO_FATAL_FAILURE(Import("b.odb", kB));
  }

  // Checks the document against docs/json-output.schema.json.
  void ExpectValid(const std::string& name) {
    if (std::system("/usr/bin/python3 -c 'import jsonschema' 2>/dev/null") != 0) {
      GTEST_SKIP() << "/usr/bin/python3 cannot import jsonschema (Debian: python3-jsonschema)";
    }
    const std::string command =
        "/usr/bin/python3 -c 'import json, sys, jsonschema; jsonschema.validate("
        "json.load(open(sys.argv[1])), json.load(open(sys.argv[2])))' '" +
        Path(name) + "' '" ODBDIFF_JSON_SCHEMA "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << name << ":\n" << ReadFile(Path(name));
  }
};

TEST_F(OdbdiffJsonOutputTest, CompareWritesEveryDifferenceTheDatabasesHold) {
  const RunResult result = Run({"compare", "a.odb", "b.odb", "--json", "out.json", "--quiet",
                                "--keep-difference-dbs", "kept"});
  EXPECT_EQ(result.exit_status, 1) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadFile(Path("out.json")),
            Document("compare", "a.odb", "b.odb",
                     std::string("\"objects\": [\n    ") + kOnlyA + ",\n    " + kOnlyB +
                         ",\n    " + kP1 + "\n  ]",
                     Counts(3, 3, 1, 1, 1, 1, 1, 1, 2)));
  EXPECT_EQ(JsonDifferences(Json::parse(ReadFile(Path("out.json")))),
            DatabaseDifferences(Path("kept")));
  ExpectValid("out.json");
}

TEST_F(OdbdiffJsonOutputTest, CompareObjectAndCompareProjectWriteTheirDocuments) {
  EXPECT_EQ(Run({"compare-object", "a.odb", "b.odb", "p1", "--json", "object.json"}).exit_status, 1);
  EXPECT_EQ(ReadFile(Path("object.json")),
            Document("compare-object", "a.odb", "b.odb",
                     std::string("\"objects\": [\n    ") + kP1 + "\n  ]",
                     Counts(1, 1, 0, 1, 0, 0, 1, 1, 2)));
  ExpectValid("object.json");

  for (const char* folder : {"pa", "pb"}) fs::create_directory(Path(folder));
  fs::copy_file(Path("a.odb"), Path("pa/PROJ0001"));
  fs::copy_file(Path("b.odb"), Path("pb/PROJ0001"));
  fs::copy_file(Path("a.odb"), Path("pa/PROJ0002"));
  fs::copy_file(Path("a.odb"), Path("pb/PROJ0002"));
  fs::copy_file(Path("a.odb"), Path("pa/PROJ0003"));
  const RunResult result = Run({"compare-project", "pa", "pb", "--json", "project.json"});
  EXPECT_EQ(result.exit_status, 1) << result.err;
  const std::string file_counts = Counts(3, 3, 1, 1, 1, 1, 1, 1, 2);
  EXPECT_EQ(ReadFile(Path("project.json")),
            Document("compare-project", "pa", "pb",
                     std::string("\"files\": [\n    {\"name\": \"PROJ0001\", \"status\": "
                                 "\"differs\", \"objects\": [\n      ") +
                         kOnlyA + ",\n      " + kOnlyB + ",\n      " + kP1 +
                         "\n    ], \"counts\": " + file_counts +
                         "},\n    {\"name\": \"PROJ0003\", \"status\": \"only-in-a\"}\n  ]",
                     Counts(6, 6, 4, 1, 1, 1, 1, 1, 2)));
  ExpectValid("project.json");
}

TEST_F(OdbdiffJsonOutputTest, AcceptingWhatJsonWroteLeavesNoDifference) {
  ASSERT_EQ(Run({"compare", "a.odb", "b.odb", "--json", "out.json", "--quiet"}).exit_status, 1);
  ASSERT_EQ(Run({"compare", "a.odb", "a.odb", "--text-report", "same.txt", "--summary",
                 "same-summary.txt", "--quiet"})
                .exit_status,
            0);
  const RunResult result = Run({"compare", "a.odb", "b.odb", "--accept", "out.json", "--json",
                                "again.json", "--text-report", "text.txt", "--summary",
                                "summary.txt", "--quiet"});
  EXPECT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadFile(Path("again.json")),
            Document("compare", "a.odb", "b.odb", "\"objects\": []",
                     Counts(2, 2, 2, 0, 0, 0, 0, 0, 0)));
  // The reports of the accepted pair say what those of identical files say,
  // but for the name of B and for the object only in A, which counts as
  // absent.
  auto as_identical = [](std::string text) {
    for (std::size_t at = text.find("b.odb"); at != std::string::npos; at = text.find("b.odb"))
      text.replace(at, 5, "a.odb");
    return text;
  };
  auto without_only_a = [](std::string text) {
    const std::size_t at = text.find("only-a");
    const std::size_t line = text.rfind('\n', at) + 1;
    return text.erase(line, text.find('\n', at) + 1 - line);
  };
  EXPECT_EQ(as_identical(ReadFile(Path("text.txt"))), without_only_a(ReadFile(Path("same.txt"))));
  EXPECT_EQ(as_identical(ReadFile(Path("summary.txt"))),
            without_only_a(ReadFile(Path("same-summary.txt"))));

  // The compare-object and compare-project documents accept as well.
  ASSERT_EQ(Run({"compare-object", "a.odb", "b.odb", "p1", "--json", "object.json"}).exit_status, 1);
  EXPECT_EQ(Run({"compare-object", "a.odb", "b.odb", "p1", "--accept", "object.json", "--stat"})
                .exit_status,
            0);
}

TEST_F(OdbdiffJsonOutputTest, BytesThatAreNotUtf8AndNanSurviveTheRoundTrip) {
  for (const char* name : {"odd-a.odb", "odd-b.odb"}) {
    const bool b = name[4] == 'b';
    CvxODB database(0, Path(name).c_str(), 0);
    ASSERT_NE(database.Create(), 0);
    ASSERT_NE(database.CreateObject("caf\xe9", nullptr), 0);
    ASSERT_NE(database.SetNumberValue("caf\xe9", "x", b ? 1.0 : NAN, "\xb5m"), 0);
    ASSERT_NE(database.SetValue("caf\xe9", "t\xff", b ? "B\xfe" : "A\xfe", 0, 0), 0);
    ASSERT_NE(database.Close(1), 0);
  }
  ASSERT_EQ(Run({"compare", "odd-a.odb", "odd-b.odb", "--json", "odd.json", "--quiet"}).exit_status,
            1);
  EXPECT_EQ(
      Json::parse(ReadFile(Path("odd.json")))["objects"].dump(),
      R"([{"name":{"bytes":"636166e9"},"slots":[{"a":{"bytes":"41fe"},"b":{"bytes":"42fe"},)"
      R"("name":{"bytes":"74ff"},"status":"values-differ"},{"a":{"number":"nan","units":)"
      R"({"bytes":"b56d"}},"b":{"number":1,"units":{"bytes":"b56d"}},"name":"x",)"
      R"("status":"values-differ"}],"status":"differs"}])");
  ExpectValid("odd.json");
  const RunResult result =
      Run({"compare", "odd-a.odb", "odd-b.odb", "--accept", "odd.json", "--quiet"});
  EXPECT_EQ(result.exit_status, 0) << result.err;
}

TEST_F(OdbdiffJsonOutputTest, AThirdValueIsReportedAgain) {
  ASSERT_NO_FATAL_FAILURE(Import("c.odb", R"({"p": {"x": "1", "y": "a"}})"));
  ASSERT_NO_FATAL_FAILURE(Import("d.odb", R"({"p": {"x": "2", "y": "b"}})"));
  ASSERT_NO_FATAL_FAILURE(Import("e.odb", R"({"p": {"x": "3", "y": "b"}})"));
  ASSERT_EQ(Run({"compare", "c.odb", "d.odb", "--json", "cd.json", "--quiet"}).exit_status, 1);
  const RunResult result =
      Run({"compare", "c.odb", "e.odb", "--accept", "cd.json", "--json", "ce.json", "--quiet"});
  EXPECT_EQ(result.exit_status, 1) << result.err;
  EXPECT_EQ(Json::parse(ReadFile(Path("ce.json")))["objects"].dump(),
            R"([{"name":"p","slots":[{"a":"1","b":"3","name":"x","status":"values-differ"}],)"
            R"("status":"differs"}])");
}

TEST_F(OdbdiffJsonOutputTest, ABadAcceptFileStopsBeforeAnythingIsCompared) {
  WriteFile(Path("bad.json"), R"({"format": "odbdiff-differences", "version": 1, "command": "compare",
    "objects": [{"name": "p1", "status": "differs", "slots": [{"name": "x", "status": "moved"}]}]})");
  const RunResult result =
      Run({"compare", "a.odb", "b.odb", "--accept", "bad.json", "--json", "out.json"});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err,
            "odbdiff: bad.json: /objects/0/slots/0/status: expected \"only-in-a\", \"only-in-b\" "
            "or \"values-differ\"\n");
  EXPECT_FALSE(fs::exists(Path("out.json")));
}

TEST_F(OdbdiffJsonOutputTest, StatPrintsTheCounts) {
  const std::string stat =
      "objects in A: 3\nobjects in B: 3\nobjects identical: 1\nobjects differing: 1\n"
      "objects only in A: 1\nobjects only in B: 1\nslots only in A: 1\nslots only in B: 1\n"
      "slots with values that differ: 2\nvalue rule: numeric, tolerance 2 %\n";
  RunResult result = Run({"compare", "a.odb", "b.odb", "--stat", "--quiet"});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.out, stat);
  result = Run({"compare", "a.odb", "b.odb", "--stat"});
  EXPECT_EQ(result.exit_status, 1);
  ASSERT_GT(result.out.size(), stat.size());
  EXPECT_EQ(result.out.substr(result.out.size() - stat.size()), stat);
  EXPECT_NE(result.out.find("Processing Object"), std::string::npos);
}

}  // namespace
}  // namespace odbdiff_test
