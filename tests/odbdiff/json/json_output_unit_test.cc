// The pieces of the JSON of differences on their own: strings whatever their
// bytes, the library's text form of values, the counts, the writer's exact
// text, the accept file's reading with its messages, and the bound on what a
// document holds.
#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <sys/stat.h>  // mkdir

#include <cmath>   // NAN, INFINITY
#include <string>  // std::string
#include <vector>  // std::vector

#include "diff/diff.h"                       // DIFF_OBJECT_ONLY_IN_A ...
#include "diff/host/object_database.h"       // CvxODB, the files one-sided objects are read from
#include "json/json_document_read.h"         // ParseJsonDocument, kMaxJsonValues
#include "json/json_string.h"                // AppendJsonString, BytesFromHex
#include "json/value_text_form.h"            // ValueTextForm
#include "outputs/text/difference_counts.h"       // DifferenceCounts, StatLines
#include "outputs/json/json_differences_write.h"  // JsonDifferencesWriter
#include "platform/failure.h"                // Failure
#include "request/accept_file.h"             // ReadAcceptFile, AcceptedDifference
#include "runner/odbdiff_runner.h"           // ReadFile, WriteFile
#include "tests/support/temp_dir.h"          // TempDir

namespace odbdiff_test {
namespace {

using odbdiff::ListValue;
using odbdiff::NumberValue;
using odbdiff::Side;
using odbdiff::TextValue;

TEST(JsonStringTest, WritesUtf8AsStringsAndOtherBytesAsHex) {
  const struct {
    std::string bytes;
    std::string json;
  } cases[] = {
      {"", "\"\""},
      {"P-101", "\"P-101\""},
      {"a\"b\\c\nd\te\x01", "\"a\\\"b\\\\c\\nd\\te\\u0001\""},
      {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", "\"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\""},
      {"caf\xe9", "{\"bytes\": \"636166e9\"}"},           // Latin-1
      {"\xc0\xaf", "{\"bytes\": \"c0af\"}"},              // overlong
      {"\xed\xa0\x80", "{\"bytes\": \"eda080\"}"},        // a surrogate
      {"\xf4\x90\x80\x80", "{\"bytes\": \"f4908080\"}"},  // beyond U+10FFFF
      {"\xe2\x82", "{\"bytes\": \"e282\"}"},              // cut short
  };
  for (const auto& c : cases) {
    std::string out;
    odbdiff::AppendJsonString(c.bytes, out);
    EXPECT_EQ(out, c.json);
  }
  EXPECT_EQ(odbdiff::BytesFromHex("636166e9"), "caf\xe9");
  EXPECT_EQ(odbdiff::BytesFromHex(""), "");
  for (const char* bad : {"6", "6G", "6A", "zz"}) EXPECT_FALSE(odbdiff::BytesFromHex(bad)) << bad;
}

TEST(ValueTextFormTest, IsTheLibrarysTextForm) {
  const struct {
    odbdiff::SlotValue value;
    std::string text;
  } cases[] = {
      {TextValue{"12 m"}, "12 m"},
      {NumberValue{12.5, ""}, "12.5"},
      {NumberValue{100, "m3/h"}, "100 m3/h"},
      {NumberValue{0.1, ""}, "0.1"},
      {NumberValue{1e-7, ""}, "1e-07"},
      {NumberValue{1e20, "kg"}, "1e+20 kg"},
      {NumberValue{NAN, ""}, "nan"},
      {NumberValue{-INFINITY, "K"}, "-inf K"},
      {ListValue{{"sand", "", "coal"}}, "sand\n\ncoal"},
      {ListValue{}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(odbdiff::ValueTextForm(c.value), c.text);
}

TEST(DifferenceCountsTest, StatLinesAreExact) {
  odbdiff::DifferenceCounts counts;
  counts.ObjectSame("s");
  counts.ObjectOnlyIn(Side::kA, "x");
  counts.ObjectDiffers("d");
  counts.SlotOnlyIn(Side::kB, "s1", TextValue{"v"});
  counts.SlotValuesDiffer("s2", TextValue{"1"}, TextValue{"2"});
  counts.SlotValuesDiffer("s3", TextValue{"1"}, TextValue{"2"});
  EXPECT_EQ(odbdiff::StatLines(counts.counts()),
            "objects in A: 3\nobjects in B: 2\nobjects identical: 1\nobjects differing: 1\n"
            "objects only in A: 1\nobjects only in B: 0\nslots only in A: 0\nslots only in B: 1\n"
            "slots with values that differ: 2\n");
}

class JsonDifferencesWriterTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.file(name); }
  // An object file at `path` of one object with the slots "z" (a number) and
  // "s" (a text), in that order.
  static void WriteObjectFile(const std::string& path, const char* object) {
    CvxODB file(0, path.c_str(), 0);
    ASSERT_NE(file.Create(), 0);
    ASSERT_NE(file.CreateObject(object, nullptr), 0);
    ASSERT_NE(file.SetNumberValue(object, "z", 2.5, "m"), 0);
    ASSERT_NE(file.SetValue(object, "s", "v", 0, 0), 0);
    ASSERT_NE(file.Close(1), 0);
  }
  diff::testing::TempDir folder_;
};

// An object in one file only lists its slots, read from that file, in
// byte-wise order of their names.
TEST_F(JsonDifferencesWriterTest, WritesThePairDocumentExactly) {
  WriteObjectFile(Path("b.odb"), "c");
  odbdiff::DifferencesHeading heading{"compare", "a.odb", "b\xff.odb", {}, Path("a.odb"),
                                      Path("b.odb")};
  heading.rules.ignore_slots = {"*:edited"};
  odbdiff::JsonDifferencesWriter writer(Path("out.json"), "out.json", heading);
  writer.ObjectSame("a");
  writer.ObjectDiffers("b");
  writer.SlotOnlyIn(Side::kA, "flow", NumberValue{-0.0, "m3/h"});
  writer.SlotValuesDiffer("x", NumberValue{NAN, ""}, ListValue{{"1", "caf\xe9"}});
  writer.ObjectOnlyIn(Side::kB, "c");
  writer.Finish();
  EXPECT_EQ(ReadFile(Path("out.json")),
            "{\n  \"format\": \"odbdiff-differences\",\n  \"version\": 2,\n"
            "  \"command\": \"compare\",\n  \"a\": \"a.odb\",\n  \"b\": {\"bytes\": \"62ff2e6f6462\"},\n"
            "  \"rules\": {\"value-rule\": \"numeric\", \"tolerance\": 2, \"ignore-objects\": [], "
            "\"ignore-slots\": [\"*:edited\"]},\n"
            "  \"objects\": [\n"
            "    {\"name\": \"b\", \"status\": \"differs\", \"slots\": [{\"name\": \"flow\", \"status\": "
            "\"only-in-a\", \"a\": {\"number\": -0.0, \"units\": \"m3/h\"}}, {\"name\": \"x\", "
            "\"status\": \"values-differ\", \"a\": {\"number\": \"nan\"}, \"b\": [\"1\", {\"bytes\": "
            "\"636166e9\"}]}]},\n"
            "    {\"name\": \"c\", \"status\": \"only-in-b\", \"slots\": [{\"name\": \"s\", "
            "\"status\": \"only-in-b\", \"b\": \"v\"}, {\"name\": \"z\", \"status\": \"only-in-b\", "
            "\"b\": {\"number\": 2.5, \"units\": \"m\"}}]}\n  ],\n"
            "  \"counts\": {\"objects-in-a\": 2, \"objects-in-b\": 3, \"objects-identical\": 1, "
            "\"objects-differing\": 1, \"objects-only-in-a\": 0, \"objects-only-in-b\": 1, "
            "\"slots-only-in-a\": 1, \"slots-only-in-b\": 0, \"slots-values-differ\": 1}\n}\n");
}

TEST_F(JsonDifferencesWriterTest, WritesOnlyTheProjectFilesThatDiffer) {
  ASSERT_EQ(mkdir(Path("A").c_str(), 0700), 0);
  WriteObjectFile(Path("A/PROJ0003"), "q");
  odbdiff::DifferencesHeading heading{"compare-project", "A", "B", {}, Path("A"), Path("B")};
  heading.rules.value_rule = "exact";
  odbdiff::JsonDifferencesWriter writer(Path("out.json"), "out.json", heading);
  writer.FileOnlyIn(Side::kA, "PROJ0001");
  writer.BeginFile("PROJ0002");
  writer.ObjectSame("p");
  writer.EndFile();
  writer.BeginFile("PROJ0003");
  writer.ObjectOnlyIn(Side::kA, "q");
  writer.EndFile();
  writer.Finish();
  const std::string counts =
      "{\"objects-in-a\": 1, \"objects-in-b\": 0, \"objects-identical\": 0, "
      "\"objects-differing\": 0, \"objects-only-in-a\": 1, \"objects-only-in-b\": 0, "
      "\"slots-only-in-a\": 0, \"slots-only-in-b\": 0, \"slots-values-differ\": 0}";
  const std::string total =
      "{\"objects-in-a\": 2, \"objects-in-b\": 1, \"objects-identical\": 1, "
      "\"objects-differing\": 0, \"objects-only-in-a\": 1, \"objects-only-in-b\": 0, "
      "\"slots-only-in-a\": 0, \"slots-only-in-b\": 0, \"slots-values-differ\": 0}";
  EXPECT_EQ(ReadFile(Path("out.json")),
            "{\n  \"format\": \"odbdiff-differences\",\n  \"version\": 2,\n"
            "  \"command\": \"compare-project\",\n  \"a\": \"A\",\n  \"b\": \"B\",\n"
            "  \"rules\": {\"value-rule\": \"exact\", \"ignore-objects\": [], \"ignore-slots\": []},\n"
            "  \"files\": [\n"
            "    {\"name\": \"PROJ0001\", \"status\": \"only-in-a\"},\n"
            "    {\"name\": \"PROJ0003\", \"status\": \"differs\", \"objects\": [\n"
            "      {\"name\": \"q\", \"status\": \"only-in-a\", \"slots\": [{\"name\": \"s\", "
            "\"status\": \"only-in-a\", \"a\": \"v\"}, {\"name\": \"z\", \"status\": \"only-in-a\", "
            "\"a\": {\"number\": 2.5, \"units\": \"m\"}}]}\n    ], \"counts\": " +
                counts + "}\n  ],\n  \"counts\": " + total + "\n}\n");
}

TEST_F(JsonDifferencesWriterTest, AcceptFileGivesTheModulesDifferences) {
  WriteFile(Path("accept.json"),
            R"({"format": "odbdiff-differences", "version": 1, "command": "compare",
                "a": "a", "b": {"bytes": "ff"}, "rules": {}, "objects": [
                {"name": "o", "status": "only-in-b"},
                {"name": {"bytes": "e9"}, "status": "differs", "slots": [
                  {"name": "s", "status": "only-in-a", "a": ["1"]},
                  {"name": "t", "status": "values-differ", "a": {"number": 1e20, "units": "kg"},
                   "b": ["x", {"bytes": "ff"}]},
                  {"name": "u", "status": "values-differ", "a": {"number": "-nan"}, "b": 0.5}]}]})");
  const odbdiff::AcceptedDifferences accepted = odbdiff::ReadAcceptFile(Path("accept.json"), false);
  ASSERT_EQ(accepted.For("PROJ0001").size(), 4u);
  const std::vector<odbdiff::AcceptedDifference>& all = accepted.everywhere;
  EXPECT_EQ(all[0].kind, DIFF_OBJECT_ONLY_IN_B);
  EXPECT_EQ(all[0].object, "o");
  EXPECT_EQ(all[1].kind, DIFF_SLOT_ONLY_IN_A);
  EXPECT_EQ(all[1].object, "\xe9");
  EXPECT_EQ(all[1].slot, "s");
  EXPECT_EQ(all[1].a_value, "1");
  EXPECT_EQ(all[2].kind, DIFF_SLOT_VALUES_DIFFER);
  EXPECT_EQ(all[2].a_value, "1e+20 kg");
  EXPECT_EQ(all[2].b_value, "x\n\xff");
  EXPECT_EQ(all[3].a_value, "-nan");
  EXPECT_EQ(all[3].b_value, "0.5");
}

TEST_F(JsonDifferencesWriterTest, AcceptFileFaultsNameTheirPlace) {
  const std::string head = R"({"format": "odbdiff-differences", "version": 1, "command": "compare", )";
  const struct {
    std::string text;
    bool project;
    std::string message;
  } cases[] = {
      {"[]", false, "expected an object, as --json writes it"},
      {"{\"format\": \"x\"}", false, "/format: expected \"odbdiff-differences\""},
      {R"({"format": "odbdiff-differences", "version": 3})", false, "/version: expected 1 or 2"},
      {R"({"format": "odbdiff-differences", "version": 1, "command": "diff"})", false,
       "/command: expected \"compare\", \"compare-object\" or \"compare-project\""},
      {R"({"format": "odbdiff-differences", "version": 1, "command": "compare-project", "files": []})",
       false, "/command: a compare-project document accepts differences for compare-project only"},
      {head + "\"colour\": 1, \"objects\": []}", false, "/colour: unknown member"},
      {head + "\"objects\": [], \"objects\": []}", false, "/objects: duplicate key"},
      {head + "\"objects\": [{\"name\": \"o\", \"name\": \"p\"}]}", false,
       "/objects/0/name: duplicate key"},
      {R"({"format": "odbdiff-differences", "version": 1, "command": "compare"})", false,
       "expected a member \"objects\""},
      {head + "\"objects\": [{\"name\": \"o\", \"status\": \"gone\"}]}", false,
       "/objects/0/status: expected \"only-in-a\", \"only-in-b\" or \"differs\""},
      {head + "\"objects\": [{\"name\": \"\", \"status\": \"only-in-a\"}]}", false,
       "/objects/0/name: a name cannot be empty"},
      {head + "\"objects\": [{\"name\": \"a\\u0000b\", \"status\": \"only-in-a\"}]}", false,
       "/objects/0/name: cannot hold the NUL character"},
      {head + "\"objects\": [{\"name\": {\"bytes\": \"E9\"}, \"status\": \"only-in-a\"}]}", false,
       "/objects/0/name/bytes: expected a string of lower-case hexadecimal digits, two a byte"},
      {head + "\"objects\": [{\"name\": \"o\", \"status\": \"only-in-a\", \"slots\": []}]}", false,
       "/objects/0/slots: an object on one side only carries no slots in a document of version 1"},
      {R"({"format": "odbdiff-differences", "version": 2, "command": "compare", "objects": [{"name": "o", "status": "only-in-a", "slots": [{"name": "s", "status": "only-in-b", "b": 1}]}]})",
       false, "/objects/0/slots/0/status: a slot of an object only in A is only in A"},
      {head + "\"objects\": [{\"name\": \"o\", \"status\": \"differs\"}]}", false,
       "/objects/0: expected a member \"slots\""},
      {head + "\"objects\": [{\"name\": \"o\", \"status\": \"differs\", \"slots\": [{\"name\": \"s\", "
              "\"status\": \"only-in-a\", \"a\": 1, \"b\": 2}]}]}",
       false, "/objects/0/slots/0/b: a slot only in A has no value in B"},
      {head + "\"objects\": [{\"name\": \"o\", \"status\": \"differs\", \"slots\": [{\"name\": \"s\", "
              "\"status\": \"values-differ\", \"a\": 1}]}]}",
       false, "/objects/0/slots/0: expected a member \"b\""},
      {head + "\"objects\": [{\"name\": \"o\", \"status\": \"differs\", \"slots\": [{\"name\": \"s\", "
              "\"status\": \"only-in-b\", \"b\": true}]}]}",
       false,
       "/objects/0/slots/0/b: expected a string, a number, {\"number\": N, \"units\": \"U\"}, an "
       "array of strings or {\"bytes\": \"HEX\"}"},
      {head + "\"objects\": [{\"name\": \"o\", \"status\": \"differs\", \"slots\": [{\"name\": \"s\", "
              "\"status\": \"only-in-b\", \"b\": {\"number\": \"NaN\"}}]}]}",
       false, "/objects/0/slots/0/b/number: expected a number, \"nan\", \"-nan\", \"inf\" or \"-inf\""},
      {R"({"format": "odbdiff-differences", "version": 1, "command": "compare-project", "files": [{"name": "PROJ0001", "status": "only-in-a", "objects": []}]})",
       true, "/files/0/objects: a file in one folder only carries no objects"},
      {R"({"format": "odbdiff-differences", "version": 1, "command": "compare-project", "files": [{"name": "PROJ0001", "status": "differs", "objects": [{"name": "o", "status": "only-in-a"}, {"name": "o", "status": "gone"}]}]})",
       true, "/files/0/objects/1/status: expected \"only-in-a\", \"only-in-b\" or \"differs\""},
      {"{\"format\": ", false,
       "parse error at line 1, column 12: syntax error while parsing value - unexpected end of "
       "input; expected '[', '{', or a literal"},
      {head + "\"objects\": [{\"name\": \"o\", \"status\": \"differs\", \"slots\": [{\"name\": \"s\", "
              "\"status\": \"only-in-b\", \"b\": -1e400}]}]}",
       false, "/objects/0/slots/0/b: number overflow parsing '-1e400'"},
      {head + "\"objects\": []}" + std::string(1, '\0') + "{\"x\": 1}", false,
       "a NUL byte at line 1, column 85, which JSON text cannot hold"},
  };
  for (const auto& c : cases) {
    WriteFile(Path("accept.json"), c.text);
    try {
      odbdiff::ReadAcceptFile(Path("accept.json"), c.project);
      ADD_FAILURE() << "taken: " << c.text;
    } catch (const odbdiff::Failure& failure) {
      EXPECT_EQ(failure.what(), Path("accept.json") + ": " + c.message) << c.text;
    }
  }
}

// Values a document holds at once are bounded, whatever few bytes they take;
// the entries of an accept file's lists are not held, and do not count.
TEST(JsonDocumentReadTest, RefusesMoreValuesThanItMayHold) {
  std::string many = "[";
  for (std::size_t i = 0; i < odbdiff::kMaxJsonValues; ++i) many += "0,";
  many += "0]";
  try {
    odbdiff::ParseJsonDocument(many, "many.json");
    ADD_FAILURE() << "taken";
  } catch (const odbdiff::Failure& failure) {
    EXPECT_STREQ(failure.what(), "many.json: /4194303: more than 4194304 values");
  }
}

}  // namespace
}  // namespace odbdiff_test
