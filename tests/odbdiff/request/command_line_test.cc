// odbdiff's command line: help, version and usage errors.
#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <string>  // std::string

#include "runner/odbdiff_fixture.h"  // OdbdiffFixture

namespace odbdiff_test {
namespace {

using OdbdiffCommandLineTest = OdbdiffFixture;

TEST_F(OdbdiffCommandLineTest, VersionComesFromTheProject) {
  const RunResult result = Run({"--version"});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.out, "odbdiff 0.1.0\n");
  EXPECT_EQ(result.err, "");
}

TEST_F(OdbdiffCommandLineTest, HelpListsTheCommandsAndEachCommandHasItsOwn) {
  const RunResult help = Run({"--help"});
  EXPECT_EQ(help.exit_status, 0);
  for (const char* command :
       {"import", "export", "compare", "compare-object", "compare-project"}) {
    EXPECT_NE(help.out.find(std::string("\n  ") + command + " "), std::string::npos) << command;
  }
  EXPECT_NE(help.out.find("Exit status: 0"), std::string::npos);

  const RunResult compare_help = Run({"compare", "--help"});
  EXPECT_EQ(compare_help.exit_status, 0);
  for (const char* option : {"--text-report", "--summary", "--keep-difference-dbs", "--quiet",
                             "--verbose", "--html", "--template", "--show-all", "--a-title",
                             "--b-title"}) {
    EXPECT_NE(compare_help.out.find(option), std::string::npos) << option;
  }
  const std::string object_help = Run({"compare-object", "--help"}).out;
  EXPECT_NE(object_help.find("--table"), std::string::npos);
  EXPECT_NE(object_help.find("--html"), std::string::npos);
  EXPECT_NE(Run({"compare-project", "--help"}).out.find("--show-all"), std::string::npos);
}

TEST_F(OdbdiffCommandLineTest, UsageErrorsAreOneLineAndTrouble) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{}, "odbdiff: A subcommand is required (see odbdiff --help)\n"},
      {{"frobnicate"},
       "odbdiff: no command frobnicate (see odbdiff --help)\n"},
      {{"compare", "a.odb"}, "odbdiff: B.odb is required (see odbdiff --help)\n"},
      {{"compare", "a.odb", "b.odb", "--quiet", "--verbose"},
       "odbdiff: --quiet excludes --verbose (see odbdiff --help)\n"},
      {{"compare-object", "a.odb", "b.odb", "pump"},
       "odbdiff: compare-object needs --table, --html, --json or --stat (see odbdiff --help)\n"},
      {{"compare", "a.odb", "b.odb", "--show-all"},
       "odbdiff: --show-all requires --html (see odbdiff --help)\n"},
      {{"compare-object", "a.odb", "b.odb", "pump", "--table", "t.txt", "--template", "t.html"},
       "odbdiff: --template requires --html (see odbdiff --help)\n"},
      {{"compare-project", "pa", "pb"},
       "odbdiff: compare-project needs --html, --json or --stat (see odbdiff --help)\n"},
      {{"compare", "a.odb", "b.odb", "--value-rule", "loose"},
       "odbdiff: --value-rule: loose not in {tolerant,numeric,exact} (see odbdiff --help)\n"},
      {{"compare", "a.odb", "b.odb", "--tolerance", "100"},
       "odbdiff: --tolerance: 100 is not a percentage from 0 to below 100 (see odbdiff --help)\n"},
      {{"compare", "a.odb", "b.odb", "--tolerance", "nan"},
       "odbdiff: --tolerance: nan is not a percentage from 0 to below 100 (see odbdiff --help)\n"},
      {{"compare", "a.odb", "b.odb", "--value-rule", "exact", "--tolerance", "1"},
       "odbdiff: --tolerance has no effect with --value-rule exact (see odbdiff --help)\n"},
      {{"compare-project", "a", "b", "--stat", "--jobs", "0"},
       "odbdiff: --jobs: 0 is not a number of jobs from 1 to 2147483647 (see odbdiff --help)\n"},
      {{"compare-project", "a", "b", "--stat", "--jobs", "2x"},
       "odbdiff: --jobs: 2x is not a number of jobs from 1 to 2147483647 (see odbdiff --help)\n"},
  };
  for (const auto& usage : cases) {
    const RunResult result = Run(usage.args);
    EXPECT_EQ(result.exit_status, 2) << usage.message;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, usage.message);
  }
}

}  // namespace
}  // namespace odbdiff_test
