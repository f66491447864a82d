// odbdiff compare-project --jobs, --shard and --partial, and
// assemble-project: every way of splitting the work gives the report, the
// standard error and the exit status of one compare-project --jobs 1, and
// partial results that do not fit together, or whose status files are not
// sound, are refused.
#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <filesystem>  // std::filesystem::create_directory, exists, copy
#include <functional>  // std::function, a case's damage
#include <string>      // std::string
#include <vector>      // std::vector

#include "runner/odbdiff_fixture.h"             // OdbdiffFixture
#include "runner/odbdiff_runner.h"              // ReadFile, WriteFile
#include "runner/small_template.h"              // kSmallTemplate
#include "tests/support/damaged_object_file.h"  // give_slot_unknown_kind

namespace odbdiff_test {
namespace {

namespace fs = std::filesystem;

using Args = std::vector<std::string>;

class OdbdiffProjectScaleOutTest : public OdbdiffFixture {
 protected:
  // Six pairs (one the same, five differing, one of them only by an object
  // without slots) and a file in each folder only.
  void SetUp() override {
    fs::create_directory(Path("pa"));
    fs::create_directory(Path("pb"));
    WriteFile(Path("t.html"), kSmallTemplate);
    for (const char* name : {"PROJ", "PROJ0002", "PROJ0003", "PROJ0007", "PROJ0011"}) {
      ASSERT_NO_FATAL_FAILURE(Import(std::string("pa/") + name,
                                     std::string(R"({"pump": {"flow": 12, "id": ")") + name +
                                         R"("}, "gate": {}, "tank": {"volume": 10}})"));
      const bool same = std::string(name) == "PROJ0003";
      ASSERT_NO_FATAL_FAILURE(
          Import(std::string("pb/") + name,
                 std::string(R"({"pump": {"flow": )") + (same ? "12" : "14") + R"(, "id": ")" +
                     name + R"("}, "gate": {}, )" +
                     (same ? R"("tank": {"volume": 10})" : R"("valve": {})") + "}"));
    }
    ASSERT_NO_FATAL_FAILURE(Import("pa/PROJ0013", R"({"pump": {"flow": 12}})"));
    ASSERT_NO_FATAL_FAILURE(Import("pb/PROJ0013", R"({"pump": {"flow": 12}, "valve": {}})"));
    ASSERT_NO_FATAL_FAILURE(Import("pa/PROJ0005", "{}"));
    ASSERT_NO_FATAL_FAILURE(Import("pb/PROJ0009", "{}"));
  }

  RunResult Project(const std::string& command, const Args& extra) {
    Args args{command, "pa", "pb"};
    args.insert(args.end(), extra.begin(), extra.end());
    return Run(args);
  }

  // The report, standard error and exit status of one compare-project
  // --jobs 1 with `html` options, into single.html.
  RunResult Single(const Args& html) {
    Args extra{"--html", "single.html", "--template", "t.html", "--jobs", "1"};
    extra.insert(extra.end(), html.begin(), html.end());
    return Project("compare-project", extra);
  }

  void ExpectLikeSingle(const RunResult& single, const RunResult& result,
                        const std::string& report) {
    EXPECT_EQ(result.exit_status, single.exit_status);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, single.err);
    EXPECT_EQ(ReadFile(Path(report)), ReadFile(Path("single.html")));
  }
};

TEST_F(OdbdiffProjectScaleOutTest, EverySplitGivesTheReportOfOneJob) {
  const RunResult single = Single({"--show-all"});
  ASSERT_EQ(single.exit_status, 1);
  ASSERT_EQ(single.err, "odbdiff: PROJ0005: only in pa\nodbdiff: PROJ0009: only in pb\n");
  for (const char* jobs : {"2", "3", "16"}) {
    SCOPED_TRACE(jobs);
    const RunResult result = Project("compare-project", {"--html", "r.html", "--template", "t.html",
                                                         "--show-all", "--jobs", jobs});
    ExpectLikeSingle(single, result, "r.html");
  }
  // Shares of 1, 2 and 5 pairs of the six, given in any order; a share may
  // use jobs of its own.
  const std::vector<std::vector<Args>> splits{
      {{"--shard", "1/1"}},
      {{"--shard", "2/3", "--jobs", "2"}, {"--shard", "1/3"}, {"--shard", "3/3"}},
      {{"--shard", "1/5"}, {"--shard", "5/5"}, {"--shard", "3/5"}, {"--shard", "2/5"},
       {"--shard", "4/5"}}};
  for (const std::vector<Args>& split : splits) {
    SCOPED_TRACE(split.size());
    Args assemble{"--html", "r.html", "--template", "t.html", "--show-all"};
    for (Args share : split) {
      const std::string dir = "part-" + share[1].substr(0, 1);
      share.insert(share.end(), {"--partial", dir});
      const RunResult shard = Project("compare-project", share);
      EXPECT_EQ(shard.exit_status, 0) << shard.err;
      EXPECT_EQ(shard.err, "");
      assemble.push_back(dir);
    }
    ExpectLikeSingle(single, Project("assemble-project", assemble), "r.html");
    for (const Args& share : split) fs::remove_all(Path("part-" + share[1].substr(0, 1)));
  }
}

TEST_F(OdbdiffProjectScaleOutTest, WorkersGiveTheDifferencesAndCountsOfOneJob) {
  for (const Args& outputs : std::vector<Args>{{"--json", "-"}, {"--stat"}}) {
    SCOPED_TRACE(outputs.front());
    Args one_job = outputs;
    one_job.insert(one_job.end(), {"--jobs", "1"});
    const RunResult single = Project("compare-project", one_job);
    ASSERT_EQ(single.exit_status, 1);
    ASSERT_NE(single.out, "");
    Args three_jobs = outputs;
    three_jobs.insert(three_jobs.end(), {"--jobs", "3"});
    const RunResult result = Project("compare-project", three_jobs);
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.out, single.out);
    EXPECT_EQ(result.err, single.err);
  }
}

TEST_F(OdbdiffProjectScaleOutTest, TheFirstPairThatCannotBeComparedEndsEverySplit) {
  for (const char* file : {"pa/PROJ0011", "pa/PROJ0007"}) {
    ASSERT_NO_FATAL_FAILURE(diff::testing::give_slot_unknown_kind(Path(file), "pump", "flow"));
  }
  const std::string err =
      "odbdiff: pa/PROJ0007: damaged: object \"pump\", slot \"flow\": kind 4 is unknown\n";
  for (const char* jobs : {"1", "2", "16"}) {
    SCOPED_TRACE(jobs);
    const RunResult result =
        Project("compare-project", {"--html", "r.html", "--template", "t.html", "--jobs", jobs});
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.err, err);
    EXPECT_FALSE(fs::exists(Path("r.html")));
  }
  // Share 1/2 holds PROJ, PROJ0003 and PROJ0011 of the six pairs.
  const RunResult shard =
      Project("compare-project", {"--shard", "1/2", "--partial", "part", "--jobs", "2"});
  EXPECT_EQ(shard.exit_status, 2);
  EXPECT_EQ(shard.err,
            "odbdiff: pa/PROJ0011: damaged: object \"pump\", slot \"flow\": kind 4 is unknown\n");
  EXPECT_FALSE(fs::exists(Path("part")));
}

TEST_F(OdbdiffProjectScaleOutTest, PartialResultsThatDoNotFitAreRefused) {
  // A share made before PROJ0003 of A changed.
  ASSERT_EQ(Project("compare-project", {"--shard", "3/3", "--partial", "old3"}).exit_status, 0);
  ASSERT_NO_FATAL_FAILURE(Import("pa/PROJ0003", R"({"pump": {"flow": 13}})"));
  for (const Args& share : std::vector<Args>{{"--shard", "1/3", "--partial", "p1"},
                                             {"--shard", "2/3", "--partial", "p2"},
                                             {"--shard", "3/3", "--partial", "p3"},
                                             {"--shard", "2/3", "--partial", "exact2",
                                              "--value-rule", "exact"},
                                             {"--shard", "2/3", "--partial", "units2",
                                              "--slot-rule", "flow=units"},
                                             {"--shard", "2/4", "--partial", "quarter2"}}) {
    ASSERT_EQ(Project("compare-project", share).exit_status, 0);
  }
  fs::create_directory(Path("pc"));
  struct Case {
    const char* folder_b;
    Args partials;
    const char* err;
  };
  const std::vector<Case> cases{
      {"pb", {"p1", "p2"}, "odbdiff: p1: share 3/3 is missing from the partial results given\n"},
      {"pb", {"p1", "p2", "p3", "p2"}, "odbdiff: p2: share 2/3 is given twice, also as p2\n"},
      {"pb", {"p1", "exact2", "p3"}, "odbdiff: exact2: compared with other options than p1\n"},
      {"pb", {"p1", "units2", "p3"}, "odbdiff: units2: compared with other options than p1\n"},
      {"pb", {"p1", "quarter2", "p3"}, "odbdiff: quarter2: share 2/4, not of 3 shares like p1\n"},
      {"pb", {"p1", "p2", "old3"}, "odbdiff: old3: made from other files than those in pa now\n"},
      {"pc", {"p1", "p2", "p3"}, "odbdiff: p1: made from other files than those in pc now\n"},
      {"pb", {"p1", "pa", "p3"},
       "odbdiff: pa: is no partial result of compare-project (no manifest.json)\n"},
      {"pb", {"p1", "p2", "p3", "--files", "PROJ*"},
       "odbdiff: p1: made without --files, but assembled with --files PROJ*: give "
       "assemble-project the --files of compare-project\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.err);
    Args args{"assemble-project", "pa", c.folder_b};
    args.insert(args.end(), c.partials.begin(), c.partials.end());
    args.insert(args.end(), {"--html", "r.html", "--template", "t.html"});
    const RunResult result = Run(args);
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.err, c.err);
    EXPECT_FALSE(fs::exists(Path("r.html")));
  }
  // A partial result replaces only an earlier one, or an empty folder.
  const RunResult over_project =
      Project("compare-project", {"--shard", "1/3", "--partial", "pa"});
  EXPECT_EQ(over_project.exit_status, 2);
  EXPECT_EQ(over_project.err, "odbdiff: pa: is neither empty nor a partial result\n");
}

TEST_F(OdbdiffProjectScaleOutTest, FilesChosenByNameSplitLikeOneJob) {
  ASSERT_NO_FATAL_FAILURE(Import("pa/b.odb", R"({"pump": {"flow": 12}})"));
  ASSERT_NO_FATAL_FAILURE(Import("pb/b.odb", R"({"pump": {"flow": 14}})"));
  // A model may be named like the partial result's manifest.
  for (const char* name : {"pa/a.odb", "pb/a.odb", "pa/c.odb", "pa/manifest.json",
                           "pb/manifest.json"}) {
    ASSERT_NO_FATAL_FAILURE(Import(name, R"({"pump": {"flow": 12}})"));
  }
  const Args files{"--files", "*.odb", "--files", "manifest.json"};
  Args single_args = files;
  single_args.insert(single_args.end(), {"--html", "single.html", "--template", "t.html"});
  const RunResult single = Project("compare-project", single_args);
  ASSERT_EQ(single.exit_status, 1);
  ASSERT_EQ(single.err, "odbdiff: c.odb: only in pa\n");
  for (const char* share : {"1", "2"}) {
    Args args = files;
    args.insert(args.end(), {"--shard", std::string(share) + "/2", "--partial",
                             std::string("n") + share});
    ASSERT_EQ(Project("compare-project", args).exit_status, 0);
  }
  Args assemble = files;
  assemble.insert(assemble.end(), {"n2", "n1", "--html", "r.html", "--template", "t.html"});
  ExpectLikeSingle(single, Project("assemble-project", assemble), "r.html");
  // The shares pair the files by name: without --files they are refused.
  const RunResult numbered =
      Project("assemble-project", {"n1", "n2", "--html", "r2.html", "--template", "t.html"});
  EXPECT_EQ(numbered.exit_status, 2);
  EXPECT_EQ(numbered.err,
            "odbdiff: n1: made with --files *.odb --files manifest.json, but assembled without "
            "--files: give assemble-project the --files of compare-project\n");
  EXPECT_FALSE(fs::exists(Path("r2.html")));
}

TEST_F(OdbdiffProjectScaleOutTest, StatusFilesMustBeSoundAndAgreeWithTheManifest) {
  ASSERT_EQ(Project("compare-project", {"--shard", "1/1", "--partial", "part"}).exit_status, 0);
  const std::string status = Path("bad/PROJ0002");
  // Sets the manifest's "differ" of the pair `pair` (written before its name).
  const auto manifest_says = [this](const std::string& pair, const char* from, const char* to) {
    std::string manifest = ReadFile(Path("bad/manifest.json"));
    const std::size_t name = manifest.find("\"name\": \"" + pair + "\"");
    const std::size_t differ = manifest.rfind(from, name);
    ASSERT_NE(differ, std::string::npos);
    WriteFile(Path("bad/manifest.json"), manifest.replace(differ, std::string(from).size(), to));
  };
  struct Case {
    std::function<void()> damage;
    const char* err;
  };
  const std::vector<Case> cases{
      {[&] { fs::remove(status); }, "odbdiff: bad/PROJ0002: no such file\n"},
      {[&] { fs::resize_file(status, 0); }, "odbdiff: bad/PROJ0002: not an object file\n"},
      {[&] { fs::resize_file(status, fs::file_size(status) / 2); },
       "odbdiff: bad/PROJ0002: damaged: database disk image is malformed\n"},
      {[&] { diff::testing::give_slot_unknown_kind(status, "pump", "flow"); },
       "odbdiff: bad/PROJ0002: damaged: object \"pump\", slot \"flow\": kind 4 is unknown\n"},
      {[&] { diff::testing::change_slot(status, "pump", "flow", "text = ' 0'"); },
       "odbdiff: bad/PROJ0002: is no status file of compare-project: object \"pump\", slot "
       "\"flow\" holds \" 0\", not 0, 1, 3 or 4\n"},
      {[&] { fs::copy_file(Path("bad/PROJ0003"), status, fs::copy_options::overwrite_existing); },
       "odbdiff: bad/PROJ0002: is no status file of pa/PROJ0002 and pb/PROJ0002: the codes of "
       "object \"tank\" do not match where it is\n"},
      {[&] { manifest_says("PROJ0003", R"("differ": false)", R"("differ": true)"); },
       "odbdiff: bad/manifest.json: says PROJ0003 differs, but its status file bad/PROJ0003 "
       "shows none\n"},
      {[&] { manifest_says("PROJ0002", R"("differ": true)", R"("differ": false)"); },
       "odbdiff: bad/manifest.json: says PROJ0002 is the same, but its status file "
       "bad/PROJ0002 shows differences\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.err);
    fs::remove_all(Path("bad"));
    fs::copy(Path("part"), Path("bad"), fs::copy_options::recursive);
    ASSERT_NO_FATAL_FAILURE(c.damage());
    const RunResult result =
        Project("assemble-project", {"bad", "--html", "r.html", "--template", "t.html"});
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.err, c.err);
    EXPECT_FALSE(fs::exists(Path("r.html")));
  }
}

}  // namespace
}  // namespace odbdiff_test
