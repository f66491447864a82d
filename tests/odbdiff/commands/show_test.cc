// odbdiff show, git-diff and export --sorted as a user runs them: the text
// pinned byte for byte, its colours, the exit statuses, and inputs from
// standard input.
#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <cstdlib>     // setenv, unsetenv
#include <filesystem>  // std::filesystem::create_directory
#include <set>         // std::set, the temporary folder's entries
#include <string>      // std::string
#include <vector>      // std::vector

#include "diff/host/object_database.h"  // CvxODB, files with any names
#include "runner/odbdiff_fixture.h"     // OdbdiffFixture
#include "runner/odbdiff_runner.h"      // RunResult, OnTerminal, WithTmpdir, Entries

namespace odbdiff_test {
namespace {

constexpr char kA[] = R"({
  "p1": {"type": "pump", "flow": {"number": 12.5, "units": "m3/h"}, "tag": "100-P-001", "old": "x"},
  "p2": {"a": "1"},
  "only-a": {"k": "v", "n": 3}
})";
constexpr char kB[] = R"({
  "p1": {"type": "pump", "flow": {"number": 13, "units": "m3/h"}, "tag": "120-P-001", "new": ["y", "z"]},
  "p2": {"a": "1"},
  "only-b": {}
})";

constexpr char kNoneLine[] =
    "objects: 0 differing, 0 only in A, 0 only in B, 1 identical; slots: 0 differing, 0 only in "
    "A, 0 only in B\nvalue rule: numeric, tolerance 2 %\n";

struct Case {
  std::vector<std::string> args;
  std::string out;
  std::string err;
  int status;
};

class ShowTest : public OdbdiffFixture {
 protected:
  void SetUp() override {
    unsetenv("NO_COLOR");
    unsetenv("GIT_PAGER_IN_USE");
    ASSERT_NO_FATAL_FAILURE(Import("a.odb", kA));
    ASSERT_NO_FATAL_FAILURE(Import("b.odb", kB));
  }

  void Expect(const std::vector<Case>& cases, const RunOptions& options = {}) {
    for (const Case& c : cases) {
      const RunResult result = Run(c.args, options);
      EXPECT_EQ(result.out, c.out) << c.args[0] << " " << c.args.back();
      EXPECT_EQ(result.err, c.err) << c.args[0] << " " << c.args.back();
      EXPECT_EQ(result.exit_status, c.status) << c.args[0] << " " << c.args.back();
    }
  }
};

TEST_F(ShowTest, PrintsTheDifferencesOfFilesAndObjects) {
  const std::string whole =
      "--- a.odb\n+++ b.odb\n"
      "- object only-a\n-   k: \"v\"\n-   n: 3\n"
      "+ object only-b\n"
      "@@ object p1 @@\n"
      "- flow: 12.5 m3/h\n+ flow: 13 m3/h  (+0.5 m3/h, +4 %)\n"
      "+ new: [\n+   \"y\",\n+   \"z\"\n+ ]\n"
      "- old: \"x\"\n"
      "- tag: \"1[-0-]0-P-001\"\n+ tag: \"1{+2+}0-P-001\"\n"
      "objects: 1 differing, 1 only in A, 1 only in B, 1 identical; slots: 2 differing, 1 only in "
      "A, 1 only in B\nvalue rule: numeric, tolerance 2 %\n";
  Expect({
      {{"show", "a.odb", "b.odb"}, whole, "", 1},
      {{"show", "a.odb", "b.odb", "p2"}, std::string("--- a.odb\n+++ b.odb\n") + kNoneLine, "", 0},
      {{"show", "a.odb", "b.odb", "only-b", "p1", "p1", "--tolerance", "5", "--ignore-slot", "new"},
       "--- a.odb\n+++ b.odb\n+ object only-b\n@@ object p1 @@\n- old: \"x\"\n"
       "- tag: \"1[-0-]0-P-001\"\n+ tag: \"1{+2+}0-P-001\"\n"
       "objects: 1 differing, 0 only in A, 1 only in B, 0 identical; slots: 1 differing, 1 only "
       "in A, 0 only in B\n"
       "value rule: numeric, tolerance 5 %\n",
       "", 1},
      {{"show", "a.odb", "b.odb", "only-a", "--color", "always"},
       "\033[1m--- a.odb\033[m\n\033[1m+++ b.odb\033[m\n\033[31m- object only-a\033[m\n"
       "\033[31m-   k: \"v\"\033[m\n\033[31m-   n: 3\033[m\n"
       "objects: 0 differing, 1 only in A, 0 only in B, 0 identical; slots: 0 differing, 0 only "
       "in A, 0 only in B\n"
       "value rule: numeric, tolerance 2 %\n",
       "", 1},
      {{"show", "a.odb", "b.odb", "p9"},
       "",
       "odbdiff: object p9 is in neither a.odb nor b.odb\n",
       2},
      {{"show", "-", "-"},
       "",
       "odbdiff: at most one object file can come from standard input (-) (see odbdiff --help)\n",
       2},
      // git's external diff: an added file, and differences exit 0.
      {{"git-diff", "plant.odb", "/dev/null", "0000000", ".", "b.odb", "1234567", "100644"},
       "diff --odbdiff a/plant.odb b/plant.odb\n--- /dev/null\n+++ b/plant.odb\n"
       "+ object only-b\n"
       "+ object p1\n+   type: \"pump\"\n+   flow: 13 m3/h\n+   tag: \"120-P-001\"\n"
       "+   new: [\n+     \"y\",\n+     \"z\"\n+   ]\n"
       "+ object p2\n+   a: \"1\"\n"
       "objects: 0 differing, 0 only in A, 3 only in B, 0 identical; slots: 0 differing, 0 only "
       "in A, 0 only in B\n"
       "value rule: numeric, tolerance 2 %\n",
       "", 0},
      {{"git-diff", "p.odb", "a.odb", "1", "100644", "b.odb", "2", "100644", "q.odb", "R90", "p2"},
       "",
       "odbdiff: git-diff takes the 7 (or 9) arguments of git's external diff or the 2 of git "
       "difftool --extcmd, not 10 (see odbdiff --help)\n",
       2},
      {{"git-diff", "plant.odb"}, "* Unmerged path plant.odb\n", "", 0},
      {{"git-diff", "old.odb", "a.odb", "1", "100644", "a.odb", "1", "100644", "new.odb",
        "similarity index 100%"},
       "diff --odbdiff a/old.odb b/new.odb\n--- a/old.odb\n+++ b/new.odb\n"
       "objects: 0 differing, 0 only in A, 0 only in B, 3 identical; slots: 0 differing, 0 only "
       "in A, 0 only in B\n"
       "value rule: numeric, tolerance 2 %\n",
       "", 0},
      // Commands that need real files say so.
      {{"import", "-", "c.odb"},
       "",
       "odbdiff: import needs files: it takes no - for standard input or output (see odbdiff "
       "--help)\n",
       2},
      {{"compare-project", "-", "b", "--stat"},
       "",
       "odbdiff: compare-project needs folders: it takes no - for standard input (see odbdiff "
       "--help)\n",
       2},
  });
}

// What changed inside two values: lists item by item with equal runs folded,
// the changed parts of texts marked (their equal ends character by character,
// words between; in reverse video with colours), the
// difference of numbers with the same units; values of two kinds, or texts
// without a part in common, as they are.
TEST_F(ShowTest, ShowsWhatChangedInsideValues) {
  ASSERT_NO_FATAL_FAILURE(Import("c.odb", R"({"o": {
    "list": ["1", "2", "3", "4", "5", "6", "7"], "short": ["x", "y"], "file": "pump-26.01.tar",
    "word": "open valve now", "other": "on", "drop": -4, "unit": {"number": 5, "units": "m"},
    "kind": "five", "bytes": "caf\u00e9 bar", "new": "up"}})"));
  ASSERT_NO_FATAL_FAILURE(Import("d.odb", R"({"o": {
    "list": ["1", "2", "3", "4", "X", "5", "6", "7"], "short": [], "file": "pump-26.02.tar",
    "word": "open gate now", "other": "off", "drop": -5, "unit": {"number": 5, "units": "km"},
    "kind": 5, "bytes": "caf\u00e8 bar", "new": "down"}})"));
  Expect({{{"show", "c.odb", "d.odb"},
           "--- c.odb\n+++ d.odb\n@@ object o @@\n"
           "- bytes: \"caf[-\u00e9-] bar\"\n+ bytes: \"caf{+\u00e8+} bar\"\n"
           "- drop: -4\n+ drop: -5  (-1, -25 %)\n"
           "- file: \"pump-26.0[-1-].tar\"\n+ file: \"pump-26.0{+2+}.tar\"\n"
           "- kind: \"five\"\n+ kind: 5\n"
           "  list: [\n    \u2026 3 items the same \u2026\n    \"4\",\n+   \"X\",\n    \"5\",\n"
           "    \u2026 2 items the same \u2026\n  ]\n"
           "- new: \"up\"\n+ new: \"down\"\n"
           "- other: \"o[-n-]\"\n+ other: \"o{+ff+}\"\n"
           "  short: [\n-   \"x\",\n-   \"y\"\n  ]\n"
           "- unit: 5 m\n+ unit: 5 km\n"
           "- word: \"open [-valv-]e now\"\n+ word: \"open {+gat+}e now\"\n"
           "objects: 1 differing, 0 only in A, 0 only in B, 0 identical; slots: 10 differing, 0 "
           "only in A, 0 only in B\nvalue rule: numeric, tolerance 2 %\n",
           "", 1},
          {{"show", "c.odb", "d.odb", "--color", "always", "--ignore-slot", "[b-n]*",
            "--ignore-slot", "[s-u]*"},
           "\033[1m--- c.odb\033[m\n\033[1m+++ d.odb\033[m\n\033[36m@@ object o @@\033[m\n"
           "\033[31m- other: \"o\033[7mn\033[27m\"\033[m\n"
           "\033[32m+ other: \"o\033[7mff\033[27m\"\033[m\n"
           "\033[31m- word: \"open \033[7mvalv\033[27me now\"\033[m\n"
           "\033[32m+ word: \"open \033[7mgat\033[27me now\"\033[m\n"
           "objects: 1 differing, 0 only in A, 0 only in B, 0 identical; slots: 2 differing, 0 only "
           "in A, 0 only in B\nvalue rule: numeric, tolerance 2 %\n",
           "", 1}});
}

// Named objects of one file only obey an accept file as whole files do.
TEST_F(ShowTest, NamedObjectsOfOneFileOnlyThatAreAcceptedAreNotShown) {
  ASSERT_EQ(Run({"compare", "a.odb", "b.odb", "--json", "all.json", "--quiet"}).exit_status, 1);
  Expect({{{"show", "a.odb", "b.odb", "only-a", "only-b", "--accept", "all.json"},
           "--- a.odb\n+++ b.odb\nobjects: 0 differing, 0 only in A, 0 only in B, 0 identical; "
           "slots: 0 differing, 0 only in A, 0 only in B\n"
           "value rule: numeric, tolerance 2 %\n",
           "", 0}});
}

TEST_F(ShowTest, ColoursOnATerminalUnlessNoColorIsSet) {
  const std::string colored =
      "\033[1m--- a.odb\033[m\n\033[1m+++ b.odb\033[m\n" + std::string(kNoneLine);
  const std::string plain = "--- a.odb\n+++ b.odb\n" + std::string(kNoneLine);
  Expect({{{"show", "a.odb", "b.odb", "p2"}, colored, "", 0}}, OnTerminal());
  setenv("NO_COLOR", "1", 1);
  Expect({{{"show", "a.odb", "b.odb", "p2"}, plain, "", 0},
          {{"show", "a.odb", "b.odb", "p2", "--color", "always"}, colored, "", 0}},
         OnTerminal());
  setenv("NO_COLOR", "", 1);  // empty: as if not set
  Expect({{{"show", "a.odb", "b.odb", "p2"}, colored, "", 0}}, OnTerminal());
  unsetenv("NO_COLOR");
  setenv("GIT_PAGER_IN_USE", "true", 1);  // git's pager counts as a terminal for git-diff only
  Expect({{{"show", "a.odb", "b.odb", "p2"}, plain, "", 0},
          {{"git-diff", "a.odb", "a.odb"},
           "\033[1m--- a.odb\033[m\n\033[1m+++ a.odb\033[m\n"
           "objects: 0 differing, 0 only in A, 0 only in B, 3 identical; slots: 0 differing, 0 "
           "only in A, 0 only in B\n"
           "value rule: numeric, tolerance 2 %\n",
           "", 0}});
}

TEST_F(ShowTest, ExportSortedWritesNamesInByteOrder) {
  ASSERT_NO_FATAL_FAILURE(
      Import("c.odb", R"({"b": {"z": 1, "Z": "t", "a": []}, "B": {}, "a": {}})"));
  Expect({{{"export", "c.odb", "--sorted"},
           "{\n  \"B\": {},\n  \"a\": {},\n  \"b\": {\n    \"Z\": \"t\",\n    \"a\": [],\n"
           "    \"z\": 1\n  }\n}\n",
           "", 0},
          // Standard input here is /dev/null, a device: refused before it is read.
          {{"export", "-"}, "", "odbdiff: -: is a character device, not a file\n", 2}});
}

TEST_F(ShowTest, CopiesOfStandardInputAreRemovedAlsoOnFailure) {
  const std::string tmpdir = Path("tmp");
  std::filesystem::create_directory(tmpdir);
  RunOptions options = WithTmpdir(tmpdir);
  options.stdin_path = Path("a.odb.json");
  Expect({{{"show", "-", "b.odb"}, "", "odbdiff: -: not an object file\n", 2}}, options);
  EXPECT_EQ(Entries(tmpdir), std::set<std::string>{});
}

// Names and units that would act on a terminal or start a line of their own
// are quoted as texts are, and so are DEL and the C1 controls in texts; on a
// terminal the module's lines get every such byte as \xNN.
TEST_F(ShowTest, NamesThatWouldActOnTheTerminalAreEscaped) {
  const struct {
    std::string name;
    std::string shown;     // by show and git-diff
    std::string terminal;  // in the module's line on a terminal
  } cases[] = {
      {"plain name", "plain name", "plain name"},
      {"clear\x1b[2J\x1b[H", R"("clear\u001b[2J\u001b[H")", "clear\\x1B[2J\\x1B[H"},
      {"osc\x1b]0;owned\x07", R"("osc\u001b]0;owned\u0007")", "osc\\x1B]0;owned\\x07"},
      {"cr\rX", R"("cr\rX")", "cr\\x0DX"},
      {"lf\n+ forged: 1", R"("lf\n+ forged: 1")", "lf\n+ forged: 1"},  // the module's line breaks
      {"del\x7f", R"("del\u007f")", "del\\x7F"},
      {"c1\xc2\x9b" "2J", R"("c1\u009b2J")", "c1\\xC2\\x9B2J"},
      {"bad\xff\xfe", R"({"bytes": "626164fffe"})", "bad\\xFF\\xFE"},
      {"\"quoted\"", R"("\"quoted\"")", "\"quoted\""},
      {"{brace}", R"("{brace}")", "{brace}"},
  };
  // The changed part of a text is marked with its escapes inside.
  const std::string text_lines = "- ~text: \"v[-\\u001b[31m\\u007f\\u0085-]\"\n+ ~text: \"v\"\n";
  for (const auto& c : cases) {
    const char* name = c.name.c_str();
    for (const char* file : {"evil-a.odb", "evil-b.odb", "empty.odb"}) {
      std::filesystem::remove(Path(file));
      CvxODB database(0, Path(file).c_str(), 0);
      ASSERT_NE(database.Create(), 0);
      if (file[0] == 'e' && file[1] == 'v') {
        const bool b = file[5] == 'b';
        ASSERT_NE(database.CreateObject(name, nullptr), 0);
        ASSERT_NE(database.SetNumberValue(name, name, b ? 2 : 1, name), 0);
        ASSERT_NE(database.SetValue(name, "~text", b ? "v" : "v\x1b[31m\x7f\xc2\x85", 0, 0), 0);
      }
      ASSERT_NE(database.Close(1), 0);
    }
    const std::string& s = c.shown;
    const std::string differs = "--- evil-a.odb\n+++ evil-b.odb\n@@ object " + s + " @@\n- " + s +
                                ": 1 " + s + "\n+ " + s + ": 2 " + s + "  (+1 " + s + ", +100 %)\n" +
                                text_lines +
                                "objects: 1 differing, 0 only in A, 0 only in B, 0 identical; "
                                "slots: 2 differing, 0 only in A, 0 only in B\n"
                                "value rule: numeric, tolerance 2 %\n";
    Expect({{{"show", "evil-a.odb", "evil-b.odb"}, differs, "", 1},
            {{"git-diff", "evil-a.odb", "evil-b.odb"}, differs, "", 0},
            {{"show", "evil-a.odb", "empty.odb"},
             "--- evil-a.odb\n+++ empty.odb\n- object " + s + "\n-   " + s + ": 1 " + s +
                 "\n-   ~text: \"v\\u001b[31m\\u007f\\u0085\"\n"
                 "objects: 0 differing, 1 only in A, 0 only in B, 0 identical; slots: 0 "
                 "differing, 0 only in A, 0 only in B\nvalue rule: numeric, tolerance 2 %\n",
             "", 1}});
    Expect({{{"compare", "evil-a.odb", "evil-b.odb", "--verbose"},
             "\nComparing Object Files A: evil-a.odb and B: evil-b.odb\nProcessing Object " +
                 c.terminal +
                 "\nobjects in A: 1\nobjects in B: 1\nobjects identical: 0\nobjects "
                 "differing: 1\nobjects only in A: 0\nobjects only in B: 0\nslots only in A: "
                 "0\nslots only in B: 0\nslots with values that differ: 2\nvalue rule: numeric, "
                 "tolerance 2 %\n",
             "", 1}},
           OnTerminal());
  }
}

}  // namespace
}  // namespace odbdiff_test
