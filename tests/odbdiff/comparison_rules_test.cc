// The comparison options through odbdiff: value rules and ignore rules from
// the command line and from a rules file, through compare, compare-object
// and compare-project, and rules files that are refused.
#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <filesystem>  // std::filesystem::create_directory
#include <string>      // std::string
#include <vector>      // std::vector

#include "odbdiff_fixture.h"  // OdbdiffFixture
#include "odbdiff_runner.h"   // RunResult, ReadFile, WriteFile
#include "small_template.h"   // kSmallTemplate

namespace odbdiff_test {
namespace {

// The changes that the default rule takes for equal values.
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
      {{"--ignore-slot", "edited"}, 1, kOnlyTmpDiffers},
      {{"--ignore-object", "tmp-*", "--ignore-slot", "pump:edited"}, 0,
       "A = a.odb\nB = b.odb\n\nObjects identical in A and B:\n     pump\n"},
      {{"--ignore-slot", "edited", "--value-rule", "numeric"}, 1, kBothDiffer},
      {{"--ignore-slot", "edited", "--value-rule", "exact"}, 1, kBothDiffer},
      {{"--ignore-slot", "p*:edite?", "--ignore-slot", "*:tag", "--ignore-slot", "date",
        "--ignore-slot", "firmware", "--ignore-slot", "serial", "--ignore-slot", "state",
        "--value-rule", "numeric", "--tolerance", "1"},
       1, kOnlyTmpDiffers},
      {{"--ignore-slot", "other:edited"}, 1, kBothDiffer},
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
  EXPECT_EQ(project.exit_status, 0) << project.err;
  EXPECT_EQ(project.out,
            "objects in A: 1\nobjects in B: 1\nobjects identical: 1\nobjects differing: 0\n"
            "objects only in A: 0\nobjects only in B: 0\nslots only in A: 0\n"
            "slots only in B: 0\nslots with values that differ: 0\n");
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
       R"(rules.json: /ignore~1slots: expected one of "value-rule", "tolerance", "ignore-objects", "ignore-slots")"},
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

}  // namespace
}  // namespace odbdiff_test
