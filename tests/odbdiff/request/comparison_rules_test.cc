// The comparison options through odbdiff: value rules and ignore rules from
// the command line and from a rules file, through compare, compare-object
// and compare-project, and rules files that are refused; odbdiff's default
// value rule through every command that compares, and the line that names
// the rule in force.
#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <filesystem>  // std::filesystem::create_directory
#include <string>      // std::string
#include <vector>      // std::vector

#include "runner/odbdiff_fixture.h"  // OdbdiffFixture
#include "runner/odbdiff_runner.h"   // RunResult, ReadFile, WriteFile
#include "runner/small_template.h"   // kSmallTemplate

namespace odbdiff_test {
namespace {

// The changes that the tolerant rule takes for equal values.
constexpr char kA[] = R"({
  "pump": {"tag": "100-P-001", "date": "2019-03-01", "firmware": "1.2.3", "serial": "4711",
           "state": "Running", "flow": {"number": 100, "units": "m3/h"}, "edited": "mon"},
  "tmp-7": {"x": "1"}
})";
constexpr char kB[] = R"({
  "pump": {"tag": "101-P-001", "date": "2024-11-30", "firmware": "1.2.9", "serial": "4712",
           "state": "RUNNING", "flow": {"number": 101, "units": "m3/h"}, "edited": "tue"}
})";

std::string Repeated(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

class OdbdiffComparisonRulesTest : public OdbdiffFixture {
 protected:
  void SetUp() override {
    Import("a.odb", kA);
    Import("b.odb", kB);
  }
};

TEST_F(OdbdiffComparisonRulesTest, ValueAndIgnoreRulesDecideTheExitStatus) {
  struct Case {
    std::vector<std::string> options;
    int exit_status;
    const char* summary;
  };
  const char* const kOnlyTmpDiffers = "A = a.odb\nB = b.odb\n\nObjects in A but not in B:\n"
                                      "     tmp-7\n\nObjects identical in A and B:\n     pump\n";
  const char* const kBothDiffer = "A = a.odb\nB = b.odb\n\nObjects in A but not in B:\n"
                                  "     tmp-7\n\nObjects that differ between A and B:\n     pump\n";
  const Case cases[] = {
      {{"--ignore-slot", "edited", "--value-rule", "tolerant"}, 1, kOnlyTmpDiffers},
      {{"--ignore-object", "tmp-*", "--ignore-slot", "pump:edited", "--value-rule", "tolerant"}, 0,
       "A = a.odb\nB = b.odb\n\nObjects identical in A and B:\n     pump\n"},
      {{"--ignore-slot", "edited", "--value-rule", "numeric"}, 1, kBothDiffer},
      {{"--ignore-slot", "edited", "--value-rule", "exact"}, 1, kBothDiffer},
      {{"--ignore-slot", "p*:edite?", "--ignore-slot", "*:tag", "--ignore-slot", "date",
        "--ignore-slot", "firmware", "--ignore-slot", "serial", "--ignore-slot", "state",
        "--value-rule", "numeric", "--tolerance", "1"},
       1, kOnlyTmpDiffers},
      {{"--ignore-slot", "other:edited", "--value-rule", "tolerant"}, 1, kBothDiffer},
      {{"--rules", "rules.json", "--ignore-object", "tmp-?"}, 0,
       "A = a.odb\nB = b.odb\n\nObjects identical in A and B:\n     pump\n"},
      {{"--rules", "rules.json", "--value-rule", "exact"}, 1, kBothDiffer},
  };
  WriteFile(Path("rules.json"),
            R"({"value-rule": "tolerant", "tolerance": 2, "ignore-slots": ["pump:edited"]})");
  for (const Case& c : cases) {
    std::vector<std::string> args = {"compare", "a.odb", "b.odb", "--quiet", "--summary", "s.txt"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const RunResult result = Run(args);
    EXPECT_EQ(result.exit_status, c.exit_status) << c.options.front() << result.err;
    EXPECT_EQ(ReadFile(Path("s.txt")), c.summary) << c.options.front();
  }
}

TEST_F(OdbdiffComparisonRulesTest, CompareObjectAndProjectLeaveIgnoredSlotsOut) {
  const RunResult object = Run({"compare-object", "a.odb", "b.odb", "pump", "--table", "t.txt",
                                "--ignore-slot", "[!f]*", "--value-rule", "exact"});
  EXPECT_EQ(object.exit_status, 1) << object.err;
  const std::string table = ReadFile(Path("t.txt"));
  EXPECT_NE(table.find("firmware"), std::string::npos);
  EXPECT_EQ(table.find("tag"), std::string::npos);
  EXPECT_EQ(Run({"compare-object", "a.odb", "b.odb", "pump", "--stat", "--ignore-slot", "*"})
                .exit_status,
            0);

  std::filesystem::create_directory(Path("pa"));
  std::filesystem::create_directory(Path("pb"));
  std::filesystem::copy_file(Path("a.odb"), Path("pa/PROJ0001"));
  std::filesystem::copy_file(Path("b.odb"), Path("pb/PROJ0001"));
  const RunResult project = Run({"compare-project", "pa", "pb", "--stat", "--ignore-object",
                                 "tmp-*", "--ignore-slot", "edited"});
  EXPECT_EQ(project.exit_status, 1) << project.err;
  EXPECT_EQ(project.out,
            "objects in A: 1\nobjects in B: 1\nobjects identical: 0\nobjects differing: 1\n"
            "objects only in A: 0\nobjects only in B: 0\nslots only in A: 0\n"
            "slots only in B: 0\nslots with values that differ: 4\n"
            "value rule: numeric, tolerance 2 %\n");
}

TEST_F(OdbdiffComparisonRulesTest, HtmlReportsShowNoIgnoredObjectOrSlot) {
  WriteFile(Path("t.html"), kSmallTemplate);
  std::filesystem::create_directory(Path("pa"));
  std::filesystem::create_directory(Path("pb"));
  std::filesystem::copy_file(Path("a.odb"), Path("pa/PROJ0001"));
  std::filesystem::copy_file(Path("b.odb"), Path("pb/PROJ0001"));
  const std::vector<std::vector<std::string>> commands = {
      {"compare", "a.odb", "b.odb"},
      {"compare-object", "a.odb", "b.odb", "pump"},
      {"compare-project", "pa", "pb"},
  };
  for (std::vector<std::string> args : commands) {
    args.insert(args.end(), {"--html", "r.html", "--template", "t.html", "--show-all"});
    ASSERT_EQ(Run(args).exit_status, 1) << args[0];
    const std::string all = ReadFile(Path("r.html"));
    args.insert(args.end(), {"--ignore-slot", "firmware", "--ignore-object", "tmp-*"});
    ASSERT_EQ(Run(args).exit_status, 1) << args[0];
    const std::string kept = ReadFile(Path("r.html"));
    EXPECT_NE(all.find("firmware"), std::string::npos) << args[0];
    EXPECT_EQ(kept.find("firmware"), std::string::npos) << args[0];
    EXPECT_EQ(kept.find("tmp-7"), std::string::npos) << args[0];
    EXPECT_NE(kept.find("serial"), std::string::npos) << args[0];
  }
}

TEST_F(OdbdiffComparisonRulesTest, AReportOnStandardOutputHasItToItself) {
  const char* const kSummary = "A = a.odb\nB = b.odb\n\nObjects in A but not in B:\n"
                               "     tmp-7\n\nObjects that differ between A and B:\n     pump\n";
  const std::vector<std::vector<std::string>> cases = {
      {"--summary", "-", "--quiet"},
      {"--summary", "/dev/stdout", "--quiet"},
      {"--summary", "-"},
      {"--summary", "-", "--verbose", "--text-report", "t.txt"},
  };
  for (const std::vector<std::string>& options : cases) {
    std::vector<std::string> args = {"compare", "a.odb", "b.odb"};
    args.insert(args.end(), options.begin(), options.end());
    const RunResult result = Run(args);
    EXPECT_EQ(result.exit_status, 1) << options[1] << result.err;
    EXPECT_EQ(result.out, kSummary) << options[1];
  }
  const RunResult two = Run({"compare", "a.odb", "b.odb", "--summary", "-", "--json", "-"});
  EXPECT_EQ(two.exit_status, 2);
  EXPECT_EQ(two.err,
            "odbdiff: at most one report can go to standard output (-) (see odbdiff --help)\n");
}

TEST_F(OdbdiffComparisonRulesTest, ABadRulesFileStopsBeforeAnythingIsCompared) {
  struct Case {
    std::string text;
    std::string message;
  };
  const Case cases[] = {
      {"[]", "rules.json: /: expected an object of rules"},
      {R"({"value-rule": "fuzzy"})",
       R"(rules.json: /value-rule: expected "tolerant", "numeric" or "exact")"},
      {R"({"tolerance": 100})",
       "rules.json: /tolerance: expected a number from 0 to below 100 (percent)"},
      {R"({"tolerance": "2"})",
       "rules.json: /tolerance: expected a number from 0 to below 100 (percent)"},
      {R"({"value-rule": "exact", "tolerance": 1})",
       "rules.json: /tolerance: has no effect with the exact value rule"},
      {R"({"ignore-objects": "tmp-*"})",
       "rules.json: /ignore-objects: expected an array of glob patterns"},
      {R"({"ignore-slots": ["a", null]})",
       "rules.json: /ignore-slots/1: expected a glob pattern (a string)"},
      {R"({"ignore-slots": ["a\u0000b"]})", "rules.json: /ignore-slots/0: a pattern cannot hold NUL"},
      {R"({"ignore/slots": []})",
       R"(rules.json: /ignore~1slots: expected one of "value-rule", "tolerance", "ignore-objects", "ignore-slots", "slot-rules")"},
      {R"({"tolerance": 1, "tolerance": 2})", "rules.json: /tolerance: duplicate key"},
      {"{", "rules.json: parse error at line 1, column 2: syntax error while parsing object key "
            "- unexpected end of input; expected string literal"},
      {R"({"tolerance": 1e400})", "rules.json: /tolerance: number overflow parsing '1e400'"},
      {std::string("{}\n") + '\0' + R"({"tolerance": "x"})",
       "rules.json: a NUL byte at line 2, column 1, which JSON text cannot hold"},
      // The document is the first level, the 63rd array the 64th.
      {std::string(R"({"ignore-slots": )") + std::string(70, '['),
       "rules.json: /ignore-slots" + Repeated("/0", 63) + ": nested deeper than 64 levels"},
  };
  for (const Case& c : cases) {
    WriteFile(Path("rules.json"), c.text);
    const RunResult result =
        Run({"compare", "a.odb", "b.odb", "--rules", "rules.json", "--summary", "s.txt"});
    EXPECT_EQ(result.exit_status, 2) << c.text;
    EXPECT_EQ(result.out, "") << c.text;
    EXPECT_EQ(result.err, "odbdiff: " + c.message + "\n");
  }
  EXPECT_FALSE(std::filesystem::exists(Path("s.txt")));
}

// Changes that the tolerant rule takes for equal values, and one within the
// tolerance, each in an object of its own.
struct ValueChange {
  const char* object;
  const char* a;  // the slot's value in the JSON form
  const char* b;
  bool differ;    // under odbdiff's default rule
};
constexpr ValueChange kValueChanges[] = {
    {"tag", R"("100-P-001")", R"("101-P-001")", true},
    {"spec", R"("150-CS-001")", R"("150-SS-001")", true},
    {"release", R"("18.0.0")", R"("18.3.0")", true},
    {"firmware", R"("1.2.3")", R"("1.2.9")", true},
    {"checksum", R"("03b6c1f0a4d2e9b8c7a6f5e4d3c2b1a09f8e7d6c5b4a3928170f6e5d4c3b2a19")",
     R"("3a44e0d9c8b7a6f5e4d3c2b1a09f8e7d6c5b4a3928170f6e5d4c3b2a1908f7e6")", true},
    {"state", R"("Running")", R"("RUNNING")", true},
    {"units", R"({"number": 120, "units": "m3/h"})", R"({"number": 120, "units": "l/s"})", true},
    {"flow", R"({"number": 120, "units": "m3/h"})", R"({"number": 122, "units": "m3/h"})", false},
};

// The --stat lines of the changes above, `differing` of them differing.
std::string ValueChangeStat(int differing, const char* rule_line) {
  const std::string n = std::to_string(differing);
  return "objects in A: 8\nobjects in B: 8\nobjects identical: " + std::to_string(8 - differing) +
         "\nobjects differing: " + n +
         "\nobjects only in A: 0\nobjects only in B: 0\nslots only in A: 0\n"
         "slots only in B: 0\nslots with values that differ: " + n + "\n" + rule_line;
}

class OdbdiffDefaultValueRuleTest : public OdbdiffFixture {};

TEST_F(OdbdiffDefaultValueRuleTest, EveryCommandTellsChangedTextsApartAndNamesTheRule) {
  std::string a = "{";
  std::string b = "{";
  for (const ValueChange& change : kValueChanges) {
    const std::string separator = a.size() == 1 ? "" : ", ";
    a += separator + "\"" + change.object + "\": {\"v\": " + change.a + "}";
    b += separator + "\"" + change.object + "\": {\"v\": " + change.b + "}";
  }
  ASSERT_NO_FATAL_FAILURE(Import("a.odb", a + "}"));
  ASSERT_NO_FATAL_FAILURE(Import("b.odb", b + "}"));
  for (const ValueChange& change : kValueChanges) {
    const RunResult result = Run({"compare-object", "a.odb", "b.odb", change.object, "--stat"});
    EXPECT_EQ(result.exit_status, change.differ ? 1 : 0) << change.object << result.err;
  }

  std::filesystem::create_directory(Path("pa"));
  std::filesystem::create_directory(Path("pb"));
  std::filesystem::copy_file(Path("a.odb"), Path("pa/PROJ"));
  std::filesystem::copy_file(Path("b.odb"), Path("pb/PROJ"));
  WriteFile(Path("rules.json"), R"({"value-rule": "tolerant", "tolerance": 2.5})");
  const std::string numeric = ValueChangeStat(7, "value rule: numeric, tolerance 2 %\n");
  const std::string show_end =
      "objects: 7 differing, 0 only in A, 0 only in B, 1 identical; slots: 7 differing, 0 only "
      "in A, 0 only in B\nvalue rule: numeric, tolerance 2 %\n";
  struct Case {
    std::vector<std::string> args;
    int exit_status;
    std::string out_end;  // the end of standard output: all of it with --quiet
  };
  const Case cases[] = {
      // Without a report the counts close the module's lines.
      {{"compare", "a.odb", "b.odb"}, 1, numeric},
      {{"compare", "a.odb", "b.odb", "--verbose"}, 1, numeric},
      {{"compare", "a.odb", "b.odb", "--quiet"}, 1, ""},
      {{"compare", "a.odb", "b.odb", "--quiet", "--stat"}, 1, numeric},
      {{"compare-project", "pa", "pb", "--stat"}, 1, numeric},
      {{"show", "a.odb", "b.odb"}, 1, show_end},
      {{"git-diff", "a.odb", "b.odb"}, 0, show_end},
      {{"compare", "a.odb", "b.odb", "--quiet", "--stat", "--value-rule", "tolerant"}, 0,
       ValueChangeStat(0, "value rule: tolerant, tolerance 2 %\n")},
      {{"compare", "a.odb", "b.odb", "--quiet", "--stat", "--rules", "rules.json"}, 0,
       ValueChangeStat(0, "value rule: tolerant, tolerance 2.5 %\n")},
      {{"compare", "a.odb", "b.odb", "--quiet", "--stat", "--value-rule", "exact"}, 1,
       ValueChangeStat(8, "value rule: exact\n")},
  };
  for (const Case& c : cases) {
    const RunResult result = Run(c.args);
    const std::string what = c.args[0] + " " + c.args.back();
    EXPECT_EQ(result.exit_status, c.exit_status) << what << result.err;
    EXPECT_EQ(result.err, "") << what;
    const bool quiet = c.args.size() > 3 && c.args[3] == "--quiet";
    if (quiet) {
      EXPECT_EQ(result.out, c.out_end) << what;
    } else {
      ASSERT_GE(result.out.size(), c.out_end.size()) << what << result.out;
      EXPECT_EQ(result.out.substr(result.out.size() - c.out_end.size()), c.out_end) << what;
    }
  }
}

}  // namespace
}  // namespace odbdiff_test
