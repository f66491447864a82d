// Slot rules through odbdiff: the samples with the rules file that leaves
// only their real changes, show --explain, the rules in the JSON, and slot
// rules that are refused, from a rules file and from the command line.
#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <filesystem>  // std::filesystem::exists
#include <cstdlib>     // std::system
#include <sstream>     // std::istringstream, the lines of show
#include <string>      // std::string
#include <vector>      // std::vector

#include "runner/odbdiff_fixture.h"  // OdbdiffFixture
#include "runner/odbdiff_runner.h"   // RunResult, ReadFile, WriteFile

namespace odbdiff_test {
namespace {

class OdbdiffSlotRulesTest : public OdbdiffFixture {
 protected:
  // Checks `document` (JSON text) against docs/rules-file.schema.json.
  void ExpectValidRules(const std::string& document) {
    if (std::system("/usr/bin/python3 -c 'import jsonschema' 2>/dev/null") != 0) {
      GTEST_SKIP() << "/usr/bin/python3 cannot import jsonschema (Debian: python3-jsonschema)";
    }
    WriteFile(Path("checked.json"), document);
    const std::string command =
        "/usr/bin/python3 -c 'import json, sys, jsonschema; jsonschema.validate("
        "json.load(open(sys.argv[1])), json.load(open(sys.argv[2])))' '" +
        Path("checked.json") + "' '" ODBDIFF_RULES_SCHEMA "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << document;
  }
};

// The lines of show that are not a slot's: headers, explanations, counts.
std::string OutlineOf(const std::string& shown) {
  std::istringstream lines(shown);
  std::string outline;
  for (std::string line; std::getline(lines, line);) {
    const bool explanation =
        line.rfind("  slot rule ", 0) == 0 || line.rfind("  value rule ", 0) == 0;
    if (explanation || (line[0] != '-' && line[0] != '+' && line[0] != ' ') ||
        line.rfind("---", 0) == 0 || line.rfind("+++", 0) == 0) {
      outline += line + "\n";
    }
  }
  return outline;
}

TEST_F(OdbdiffSlotRulesTest, TheSamplesRulesFileLeavesOnlyTheRealChanges) {
  const std::string examples = ODBDIFF_EXAMPLES_DIR;
  Import("a.odb", ReadFile(examples + "/plant_a.json"));
  Import("b.odb", ReadFile(examples + "/plant_b.json"));
  const RunResult shown = Run({"show", "a.odb", "b.odb", "--color", "never", "--explain", "--rules",
                               examples + "/rules.json"});
  EXPECT_EQ(shown.exit_status, 1) << shown.err;
  // Gone: flow 120 -> 122 m3/h, volume 50 -> 50.8 m3, leakage "0" -> "0.0",
  // heater "off" -> "OFF"; the feeders and media gained an item.
  EXPECT_EQ(OutlineOf(shown.out),
            "--- a.odb\n+++ b.odb\n"
            "@@ object compressor-C-101 @@\n  value rule (exact): texts differ\n"
            "@@ object exchanger-E-101 @@\n  value rule (exact): texts differ\n"
            "@@ object filter-F-101 @@\n"
            "  slot rule 6 *:media (exact, lists unordered): unordered lists: 0 items only in "
            "A, 1 only in B\n"
            "@@ object motor-M-101 @@\n"
            "@@ object panel-MCC-1 @@\n"
            "  slot rule 5 *:feeders (exact, lists set): sets: 0 items only in A, 1 only in B\n"
            "@@ object pump-P-101 @@\n"
            "@@ object pump-P-102 @@\n"
            "  slot rule 1 pump-*:flow (units, relative 2 %): 120 m3/h != 126 m3/h outside 2 %\n"
            "@@ object tank-T-01 @@\n  value rule (exact): texts differ\n"
            "objects: 8 differing, 2 only in A, 3 only in B, 10 identical; slots: 6 differing, "
            "1 only in A, 1 only in B\n"
            "value rule: exact; 6 slot rules\n");
  ExpectValidRules(ReadFile(examples + "/rules.json"));
}

TEST_F(OdbdiffSlotRulesTest, CommandLineRulesFollowTheFilesAndTheJsonNamesThem) {
  Import("a.odb", R"({"pump": {"flow": {"number": 120, "units": "m3/h"}, "tag": "P-1"}})");
  Import("b.odb", R"({"pump": {"flow": {"number": 33.3333, "units": "l/s"}, "tag": "p-1"}})");
  WriteFile(Path("rules.json"), R"({"slot-rules": [{"slot": "flow", "rule": "units"}]})");
  const RunResult same =
      Run({"compare", "a.odb", "b.odb", "--rules", "rules.json", "--slot-rule",
           "pump:t*=exact,case=ignore", "--slot-rule", "tag=exact", "--json", "d.json"});
  EXPECT_EQ(same.exit_status, 0) << same.err;
  const std::string document = ReadFile(Path("d.json"));
  EXPECT_NE(document.find(
                R"("rules": {"value-rule": "numeric", "tolerance": 2, "ignore-objects": [], )"
                R"("ignore-slots": [], "slot-rules": [{"object": "*", "slot": "flow", "rule": )"
                R"("units", "relative": 2, "absolute": 0, "case": "exact", "lists": "ordered"}, )"
                R"({"object": "pump", "slot": "t*", "rule": "exact", "case": "ignore", "lists": )"
                R"("ordered"}, {"object": "*", "slot": "tag", "rule": "exact", "case": "exact", )"
                R"("lists": "ordered"}]})"),
            std::string::npos)
      << document;
  // The rules member can be saved as a rules file.
  const std::size_t rules_at = document.find("\"rules\": ") + 9;
  ExpectValidRules(document.substr(rules_at, document.find('\n', rules_at) - rules_at - 1));
  // The first rule that matches wins: without the second, the third judges.
  const RunResult differ = Run({"compare", "a.odb", "b.odb", "--slot-rule", "flow=units",
                                "--slot-rule", "tag=exact", "--stat"});
  EXPECT_EQ(differ.exit_status, 1) << differ.err;
  EXPECT_NE(differ.out.find("value rule: numeric, tolerance 2 %; 2 slot rules\n"),
            std::string::npos)
      << differ.out;
}

TEST_F(OdbdiffSlotRulesTest, BadSlotRulesStopBeforeAnythingIsCompared) {
  Import("a.odb", R"({"pump": {"tag": "P-1"}})");
  struct Case {
    std::string rules_file;  // "" for none
    std::vector<std::string> options;
    std::string message;
  };
  const Case cases[] = {
      {R"({"slot-rules": {}})", {}, "rules.json: /slot-rules: expected an array of slot rules"},
      {R"({"slot-rules": ["flow"]})",
       {},
       R"(rules.json: /slot-rules/0: expected an object with "slot" and its settings)"},
      {R"({"slot-rules": [{"object": "p*"}]})",
       {},
       R"(rules.json: /slot-rules/0: a slot rule needs "slot")"},
      {R"({"slot-rules": [{"slot": "f", "rule": "metric"}]})",
       {},
       R"(rules.json: /slot-rules/0/rule: expected "exact", "numeric", "tolerant" or "units")"},
      {R"({"slot-rules": [{"slot": "f", "relative": 100}]})",
       {},
       "rules.json: /slot-rules/0/relative: expected a number from 0 to below 100 (percent)"},
      {R"({"slot-rules": [{"slot": "f", "absolute": -1}]})",
       {},
       "rules.json: /slot-rules/0/absolute: expected a finite number, at least 0"},
      {R"({"slot-rules": [{"slot": "f"}, {"slot": "g", "case": "upper"}]})",
       {},
       R"(rules.json: /slot-rules/1/case: expected "exact" or "ignore")"},
      {R"({"slot-rules": [{"slot": "f", "lists": "sorted"}]})",
       {},
       R"(rules.json: /slot-rules/0/lists: expected "ordered", "unordered" or "set")"},
      {R"({"slot-rules": [{"slot": "f", "units": "m"}]})",
       {},
       R"(rules.json: /slot-rules/0/units: expected one of "object", "slot", "rule", "relative", "absolute", "case", "lists")"},
      {R"({"slot-rules": [{"slot": "a\u0000b"}]})",
       {},
       "rules.json: /slot-rules/0/slot: a pattern cannot hold NUL"},
      {R"({"slot-rules": [{"slot": "f", "rule": "exact", "relative": 1}]})",
       {},
       "rules.json: /slot-rules/0/relative: has no effect with the exact rule"},
      {R"({"value-rule": "exact", "slot-rules": [{"slot": "f", "absolute": 1}]})",
       {},
       "rules.json: /slot-rules/0/absolute: has no effect with the exact rule"},
      {"",
       {"--slot-rule", "flow"},
       "--slot-rule: flow: expected [OBJECT_GLOB:]SLOT_GLOB=SETTINGS (see odbdiff --help)"},
      {"",
       {"--slot-rule", "flow=units,relative=x"},
       "--slot-rule: flow=units,relative=x: relative: expected a number from 0 to below 100 "
       "(percent) (see odbdiff --help)"},
      {"",
       {"--slot-rule", "flow=unit"},
       R"(--slot-rule: flow=unit: rule: expected "exact", "numeric", "tolerant" or "units" (see odbdiff --help))"},
      {"",
       {"--slot-rule", "flow=units,scale=2"},
       "--slot-rule: flow=units,scale=2: scale=2: expected a rule name or rule=, relative=, "
       "absolute=, case=, lists= (see odbdiff --help)"},
      {"",
       {"--value-rule", "exact", "--slot-rule", "flow=absolute=1"},
       "--slot-rule flow=absolute=1: absolute: has no effect with the exact rule"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"compare", "a.odb", "a.odb", "--summary", "s.txt"};
    if (!c.rules_file.empty()) {
      WriteFile(Path("rules.json"), c.rules_file);
      args.insert(args.end(), {"--rules", "rules.json"});
    }
    args.insert(args.end(), c.options.begin(), c.options.end());
    const RunResult result = Run(args);
    EXPECT_EQ(result.exit_status, 2) << c.message;
    EXPECT_EQ(result.err.substr(0, result.err.find('\n') + 1), "odbdiff: " + c.message + "\n");
    EXPECT_FALSE(std::filesystem::exists(Path("s.txt"))) << c.message;
  }
}

}  // namespace
}  // namespace odbdiff_test
