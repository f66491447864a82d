// odbdiff merge, git-merge and patch as a user runs them: one table of
// three-way cases (each kind of change on each side, every kind of
// conflict) through merge and through git-merge, the conflicts file against
// its schema, and patch's round trip, strictness and subsets.
#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <cstdlib>     // std::system
#include <filesystem>  // std::filesystem::copy_file, exists
#include <string>      // std::string
#include <vector>      // std::vector

#include <nlohmann/json.hpp>  // nlohmann::json, merged files compared as documents

#include "runner/odbdiff_fixture.h"  // OdbdiffFixture
#include "runner/odbdiff_runner.h"   // RunResult, ReadFile, WriteFile

namespace odbdiff_test {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

constexpr char kBase[] =
    R"({"p": {"a": "1", "b": "2", "flow": {"number": 100, "units": "m3/h"}}, "q": {"x": "1"}})";

struct ThreeWayCase {
  const char* name;
  const char* ours;
  const char* theirs;
  std::vector<std::string> options;
  const char* merged;  // the merged file's JSON form
  int exit_status;
  const char* err;  // FILE stands for the file the lines name
};

const ThreeWayCase kThreeWayCases[] = {
    {"no change", kBase, kBase, {}, kBase, 0, ""},
    {"value changed in ours",
     R"({"p": {"a": "7", "b": "2", "flow": {"number": 100, "units": "m3/h"}}, "q": {"x": "1"}})",
     kBase, {},
     R"({"p": {"a": "7", "b": "2", "flow": {"number": 100, "units": "m3/h"}}, "q": {"x": "1"}})", 0,
     ""},
    {"value changed in theirs", kBase,
     R"({"p": {"a": "7", "b": "2", "flow": {"number": 100, "units": "m3/h"}}, "q": {"x": "1"}})", {},
     R"({"p": {"a": "7", "b": "2", "flow": {"number": 100, "units": "m3/h"}}, "q": {"x": "1"}})", 0,
     ""},
    {"slot added in ours, slot removed in theirs",
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 100, "units": "m3/h"}, "c": ["x", "y"]}, "q": {"x": "1"}})",
     R"({"p": {"a": "1", "flow": {"number": 100, "units": "m3/h"}}, "q": {"x": "1"}})", {},
     R"({"p": {"a": "1", "flow": {"number": 100, "units": "m3/h"}, "c": ["x", "y"]}, "q": {"x": "1"}})",
     0, ""},
    {"slot removed in ours, slot added in theirs",
     R"({"p": {"a": "1", "flow": {"number": 100, "units": "m3/h"}}, "q": {"x": "1"}})",
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 100, "units": "m3/h"}, "c": 3}, "q": {"x": "1"}})",
     {}, R"({"p": {"a": "1", "flow": {"number": 100, "units": "m3/h"}, "c": 3}, "q": {"x": "1"}})", 0,
     ""},
    {"object added in ours, object removed in theirs",
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 100, "units": "m3/h"}}, "q": {"x": "1"}, "r": {}})",
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 100, "units": "m3/h"}}})", {},
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 100, "units": "m3/h"}}, "r": {}})", 0, ""},
    {"object removed in ours, object added in theirs",
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 100, "units": "m3/h"}}})",
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 100, "units": "m3/h"}}, "q": {"x": "1"}, "r": {"y": "2"}})",
     {}, R"({"p": {"a": "1", "b": "2", "flow": {"number": 100, "units": "m3/h"}}, "r": {"y": "2"}})", 0,
     ""},
    {"the same changes on both sides, taken once",
     R"({"p": {"a": "7", "flow": {"number": 100, "units": "m3/h"}, "c": "3"}, "r": {"z": 1}})",
     R"({"p": {"a": "7", "flow": {"number": 100, "units": "m3/h"}, "c": "3"}, "r": {"z": 1}})", {},
     R"({"p": {"a": "7", "flow": {"number": 100, "units": "m3/h"}, "c": "3"}, "r": {"z": 1}})", 0, ""},
    {"other slots of one object changed on each side",
     R"({"p": {"a": "7", "b": "2", "flow": {"number": 100, "units": "m3/h"}}, "q": {"x": "1"}})",
     R"({"p": {"a": "1", "b": "8", "flow": {"number": 100, "units": "m3/h"}}, "q": {"x": "1"}})", {},
     R"({"p": {"a": "7", "b": "8", "flow": {"number": 100, "units": "m3/h"}}, "q": {"x": "1"}})", 0,
     ""},
    {"a change within the tolerance is none",
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 101, "units": "m3/h"}}, "q": {"x": "1"}})",
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 150, "units": "m3/h"}}, "q": {"x": "1"}})", {},
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 150, "units": "m3/h"}}, "q": {"x": "1"}})", 0,
     ""},
    {"changes equal within the tolerance agree",
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 150, "units": "m3/h"}}, "q": {"x": "1"}})",
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 151, "units": "m3/h"}}, "q": {"x": "1"}})", {},
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 150, "units": "m3/h"}}, "q": {"x": "1"}})", 0,
     ""},
    {"under the exact rule they conflict",
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 150, "units": "m3/h"}}, "q": {"x": "1"}})",
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 151, "units": "m3/h"}}, "q": {"x": "1"}})",
     {"--value-rule", "exact"},
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 150, "units": "m3/h"}}, "q": {"x": "1"}})", 1,
     "odbdiff: FILE: conflict in object \"p\", slot \"flow\": changed in ours and in theirs\n"},
    {"an ignored slot stays as ours holds it", kBase,
     R"({"p": {"a": "7", "b": "8", "flow": {"number": 100, "units": "m3/h"}}, "q": {"x": "1"}})",
     {"--ignore-slot", "a"},
     R"({"p": {"a": "1", "b": "8", "flow": {"number": 100, "units": "m3/h"}}, "q": {"x": "1"}})", 0,
     ""},
    {"every kind of conflict, ours' side taken",
     R"({"p": {"a": "7", "b": "5", "flow": {"number": 100, "units": "m3/h"}, "d": "1"}, "s": {"k": "1"}})",
     R"({"p": {"a": "8", "flow": {"number": 100, "units": "m3/h"}, "d": "2"}, "q": {"x": "9"}, "s": {"k": "2"}})",
     {},
     R"({"p": {"a": "7", "b": "5", "flow": {"number": 100, "units": "m3/h"}, "d": "1"}, "s": {"k": "1"}})",
     1,
     "odbdiff: FILE: conflict in object \"p\", slot \"a\": changed in ours and in theirs\n"
     "odbdiff: FILE: conflict in object \"p\", slot \"b\": changed on one side, removed on the other\n"
     "odbdiff: FILE: conflict in object \"p\", slot \"d\": added in ours and in theirs with other values\n"
     "odbdiff: FILE: conflict in object \"q\", slot \"x\": changed on one side, its object removed on the other\n"
     "odbdiff: FILE: conflict in object \"s\", slot \"k\": added in ours and in theirs with other values\n"},
    {"every kind of conflict, theirs favoured",
     R"({"p": {"a": "7", "b": "5", "flow": {"number": 100, "units": "m3/h"}, "d": "1"}, "s": {"k": "1"}})",
     R"({"p": {"a": "8", "flow": {"number": 100, "units": "m3/h"}, "d": "2"}, "q": {"x": "9"}, "s": {"k": "2"}})",
     {"--favor", "theirs"},
     R"({"p": {"a": "8", "flow": {"number": 100, "units": "m3/h"}, "d": "2"}, "q": {"x": "9"}, "s": {"k": "2"}})",
     0, ""},
    {"an object changed in ours and removed in theirs",
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 100, "units": "m3/h"}}, "q": {"x": "1", "y": "2"}})",
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 100, "units": "m3/h"}}})", {},
     R"({"p": {"a": "1", "b": "2", "flow": {"number": 100, "units": "m3/h"}}, "q": {"x": "1", "y": "2"}})",
     1,
     "odbdiff: FILE: conflict in object \"q\", slot \"y\": changed on one side, its object removed on the other\n"},
};

class OdbdiffMergeTest : public OdbdiffFixture {
 protected:
  // The object file's content, as a document compared whatever its order.
  Json Content(const std::string& object_file) {
    const RunResult exported = Run({"export", object_file});
    EXPECT_EQ(exported.exit_status, 0) << exported.err;
    return Json::parse(exported.out);
  }

  static std::string Named(std::string text, const std::string& file) {
    for (std::size_t at = text.find("FILE"); at != std::string::npos; at = text.find("FILE", at)) {
      text.replace(at, 4, file);
    }
    return text;
  }

  // Checks `document` against the schema of the docs folder.
  void ExpectValid(const std::string& document, const char* schema) {
    if (std::system("/usr/bin/python3 -c 'import jsonschema' 2>/dev/null") != 0) {
      GTEST_SKIP() << "/usr/bin/python3 cannot import jsonschema (Debian: python3-jsonschema)";
    }
    const std::string command =
        "/usr/bin/python3 -c 'import json, sys, jsonschema; jsonschema.validate("
        "json.load(open(sys.argv[1])), json.load(open(sys.argv[2])))' '" +
        Path(document) + "' '" + schema + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << document << ":\n" << ReadFile(Path(document));
  }
};

TEST_F(OdbdiffMergeTest, ThreeWayCasesThroughMergeAndGitMerge) {
  for (const ThreeWayCase& c : kThreeWayCases) {
    SCOPED_TRACE(c.name);
    ASSERT_NO_FATAL_FAILURE(Import("base.odb", kBase));
    ASSERT_NO_FATAL_FAILURE(Import("ours.odb", c.ours));
    ASSERT_NO_FATAL_FAILURE(Import("theirs.odb", c.theirs));
    const std::string ours_before = ReadFile(Path("ours.odb"));

    std::vector<std::string> merge = {"merge", "base.odb", "ours.odb", "theirs.odb", "-o",
                                      "out.odb"};
    merge.insert(merge.end(), c.options.begin(), c.options.end());
    const RunResult merged = Run(merge);
    EXPECT_EQ(merged.exit_status, c.exit_status);
    EXPECT_EQ(merged.err, Named(c.err, "out.odb"));
    EXPECT_EQ(Content("out.odb"), Json::parse(c.merged));
    EXPECT_EQ(ReadFile(Path("ours.odb")), ours_before);

    // git gives its own copies, and the path in the work tree.
    fs::copy_file(Path("ours.odb"), Path("current.odb"), fs::copy_options::overwrite_existing);
    std::vector<std::string> driver = {"git-merge", "base.odb", "current.odb", "theirs.odb",
                                       "plant.odb"};
    driver.insert(driver.end(), c.options.begin(), c.options.end());
    const RunResult by_git = Run(driver);
    EXPECT_EQ(by_git.exit_status, c.exit_status);
    EXPECT_EQ(by_git.err, Named(c.err, "plant.odb"));
    EXPECT_EQ(Content("current.odb"), Json::parse(c.merged));
  }
}

TEST_F(OdbdiffMergeTest, ListsWhoseOrderMeansNothingMergeItemByItem) {
  struct ListCase {
    const char* base;
    const char* ours;
    const char* theirs;
    const char* lists;  // the slot rule's setting; nullptr for none
    const char* merged;
    int exit_status;
  };
  const ListCase cases[] = {
      {R"(["F1", "F2", "F3"])", R"(["F1", "F2", "F3", "F4"])", R"(["F2", "F1", "F5"])",
       "unordered", R"(["F1", "F2", "F4", "F5"])", 0},
      {R"(["F1", "F2", "F3"])", R"(["F1", "F2", "F3", "F4"])", R"(["F2", "F1", "F5"])", nullptr,
       R"(["F1", "F2", "F3", "F4"])", 1},
      {R"(["a"])", R"(["a", "a", "b"])", R"(["a", "c"])", "set", R"(["a", "b", "c"])", 0},
      {R"(["a"])", R"(["a", "a"])", R"([])", "unordered", R"(["a", "a"])", 1},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(std::string(c.ours) + " | " + c.theirs);
    const auto file = [](const char* list) { return std::string(R"({"p": {"feeders": )") + list + "}}"; };
    ASSERT_NO_FATAL_FAILURE(Import("base.odb", file(c.base)));
    ASSERT_NO_FATAL_FAILURE(Import("ours.odb", file(c.ours)));
    ASSERT_NO_FATAL_FAILURE(Import("theirs.odb", file(c.theirs)));
    std::vector<std::string> merge = {"merge", "base.odb", "ours.odb", "theirs.odb", "-o", "out.odb"};
    if (c.lists != nullptr) merge.insert(merge.end(), {"--slot-rule", std::string("feeders=lists=") + c.lists});
    const RunResult merged = Run(merge);
    EXPECT_EQ(merged.exit_status, c.exit_status) << merged.err;
    EXPECT_EQ(Content("out.odb"), Json::parse(file(c.merged)));
  }
}

TEST_F(OdbdiffMergeTest, ConflictsFileListsEveryConflictWithItsValues) {
  const ThreeWayCase& c = kThreeWayCases[14];
  ASSERT_NO_FATAL_FAILURE(Import("base.odb", kBase));
  ASSERT_NO_FATAL_FAILURE(Import("ours.odb", c.ours));
  ASSERT_NO_FATAL_FAILURE(Import("theirs.odb", c.theirs));
  const RunResult merged = Run(
      {"merge", "base.odb", "ours.odb", "theirs.odb", "-o", "out.odb", "--conflicts", "c.json"});
  EXPECT_EQ(merged.exit_status, 1);
  EXPECT_EQ(ReadFile(Path("c.json")),
            "{\n  \"format\": \"odbdiff-conflicts\",\n  \"version\": 1,\n"
            "  \"base\": \"base.odb\",\n  \"ours\": \"ours.odb\",\n  \"theirs\": \"theirs.odb\",\n"
            "  \"favor\": null,\n  \"conflicts\": [\n"
            "    {\"object\": \"p\", \"slot\": \"a\", \"kind\": \"both-changed\", \"base\": \"1\", "
            "\"ours\": \"7\", \"theirs\": \"8\"},\n"
            "    {\"object\": \"p\", \"slot\": \"b\", \"kind\": \"changed-and-removed\", \"base\": "
            "\"2\", \"ours\": \"5\", \"theirs\": null},\n"
            "    {\"object\": \"p\", \"slot\": \"d\", \"kind\": \"both-added\", \"base\": null, "
            "\"ours\": \"1\", \"theirs\": \"2\"},\n"
            "    {\"object\": \"q\", \"slot\": \"x\", \"kind\": \"object-removed\", \"base\": \"1\", "
            "\"ours\": null, \"theirs\": \"9\"},\n"
            "    {\"object\": \"s\", \"slot\": \"k\", \"kind\": \"both-added\", \"base\": null, "
            "\"ours\": \"1\", \"theirs\": \"2\"}\n  ],\n  \"count\": 5\n}\n");
  ExpectValid("c.json", ODBDIFF_CONFLICTS_SCHEMA);

  // Resolved, they are still listed; nothing goes to standard error.
  const RunResult favored = Run({"merge", "base.odb", "ours.odb", "theirs.odb", "-o", "out.odb",
                                 "--conflicts", "c.json", "--favor", "ours"});
  EXPECT_EQ(favored.exit_status, 0);
  EXPECT_EQ(favored.err, "");
  EXPECT_NE(ReadFile(Path("c.json")).find("\"favor\": \"ours\""), std::string::npos);
  ExpectValid("c.json", ODBDIFF_CONFLICTS_SCHEMA);
}

TEST_F(OdbdiffMergeTest, NeverWritesAnInputAndNamesTrouble) {
  ASSERT_NO_FATAL_FAILURE(Import("base.odb", kBase));
  const RunResult into_input =
      Run({"merge", "base.odb", "base.odb", "base.odb", "-o", "base.odb"});
  EXPECT_EQ(into_input.exit_status, 2);
  EXPECT_EQ(into_input.err, "odbdiff: base.odb: is also an input\n");
  const RunResult missing = Run({"merge", "base.odb", "none.odb", "base.odb", "-o", "out.odb"});
  EXPECT_EQ(missing.exit_status, 2);
  EXPECT_EQ(missing.err, "odbdiff: none.odb: no such file\n");
  EXPECT_FALSE(fs::exists(Path("out.odb")));
}

// Generated pairs, one per variant number: objects and slots of every kind added, removed and
// changed, numbers with and without units, lists, texts of more than one line.
std::string GeneratedModel(unsigned variant, bool second) {
  Json model = Json::object();
  for (unsigned i = 0; i < 60; ++i) {
    const unsigned mix = (i * 2654435761u + variant) % 97;
    if (second ? mix % 11 == 0 : mix % 13 == 0) continue;  // in one file only
    Json& object = model["obj-" + std::to_string(i)];
    object = Json::object();
    for (unsigned k = 0; k < mix % 6; ++k) {
      const bool changed = second && (mix + k) % 5 == 0;
      const std::string slot = "s" + std::to_string(k);
      if (second && (mix + k) % 7 == 0) continue;  // slot only in the first
      switch ((mix + k) % 4) {
        case 0: object[slot] = changed ? "B text" : "text " + std::to_string(k); break;
        case 1: object[slot] = {{"number", changed ? 1.5 * k : 1.0 * k}, {"units", "kg"}}; break;
        case 2: object[slot] = Json::array({"a", changed ? "c" : "b"}); break;
        default: object[slot] = changed ? 0.1 : 0.125; break;
      }
    }
    if (second && mix % 3 == 0) object["added"] = "caf\xc3\xa9\nsecond line";
  }
  return model.dump();
}

TEST_F(OdbdiffMergeTest, PatchRebuildsBFromAAndAFromB) {
  const std::string examples = ODBDIFF_EXAMPLES;
  std::vector<std::pair<std::string, std::string>> pairs = {
      {ReadFile(examples + "/plant_a.json"), ReadFile(examples + "/plant_b.json")}};
  for (unsigned variant = 1; variant <= 3; ++variant) {
    pairs.emplace_back(GeneratedModel(variant, false), GeneratedModel(variant, true));
  }
  for (const auto& [a, b] : pairs) {
    ASSERT_NO_FATAL_FAILURE(Import("a.odb", a));
    ASSERT_NO_FATAL_FAILURE(Import("b.odb", b));
    EXPECT_EQ(Run({"compare", "a.odb", "b.odb", "--value-rule", "exact", "--json", "d.json"})
                  .exit_status,
              1);
    const RunResult forward = Run({"patch", "a.odb", "d.json", "-o", "b2.odb"});
    EXPECT_EQ(forward.exit_status, 0) << forward.err;
    EXPECT_EQ(Run({"compare", "b.odb", "b2.odb", "--value-rule", "exact", "--quiet"}).exit_status, 0);
    const RunResult back = Run({"patch", "b.odb", "d.json", "--reverse", "-o", "a2.odb"});
    EXPECT_EQ(back.exit_status, 0) << back.err;
    EXPECT_EQ(Run({"compare", "a.odb", "a2.odb", "--value-rule", "exact", "--quiet"}).exit_status, 0);
  }
}

TEST_F(OdbdiffMergeTest, PatchAppliesASubsetAndRefusesWhatAHoldsNot) {
  ASSERT_NO_FATAL_FAILURE(Import("a.odb", R"({"p": {"flow": 12, "tag": "x"}, "q": {}})"));
  const std::string head =
      R"({"format": "odbdiff-differences", "version": 2, "command": "compare", "objects": [)";
  WriteFile(Path("subset.json"),
            head + R"({"name": "p", "status": "differs", "slots": [{"name": "flow", "status": "values-differ", "a": 12, "b": {"number": 13, "units": "m3/h"}}]}]})");
  EXPECT_EQ(Run({"patch", "a.odb", "subset.json", "-o", "out.odb"}).exit_status, 0);
  EXPECT_EQ(Content("out.odb"),
            Json::parse(R"({"p": {"flow": {"number": 13, "units": "m3/h"}, "tag": "x"}, "q": {}})"));

  WriteFile(Path("stale.json"),
            head +
                R"({"name": "p", "status": "differs", "slots": [{"name": "flow", "status": "values-differ", "a": 11, "b": 13}, {"name": "tag", "status": "only-in-b", "b": "y"}, {"name": "gone", "status": "only-in-a", "a": 1}]},
                {"name": "q", "status": "only-in-b", "slots": []},
                {"name": "r", "status": "only-in-a", "slots": []}]})");
  const RunResult stale = Run({"patch", "a.odb", "stale.json", "-o", "new.odb"});
  EXPECT_EQ(stale.exit_status, 2);
  EXPECT_EQ(stale.err,
            "odbdiff: stale.json: /objects/0/slots/0: slot \"flow\" of object \"p\" holds 12 in "
            "a.odb, not 11\n"
            "odbdiff: stale.json: /objects/0/slots/1: slot \"tag\" of object \"p\" is in a.odb "
            "already\n"
            "odbdiff: stale.json: /objects/0/slots/2: slot \"gone\" of object \"p\" is not in "
            "a.odb\n"
            "odbdiff: stale.json: /objects/1: object \"q\" is in a.odb already\n"
            "odbdiff: stale.json: /objects/2: object \"r\" is not in a.odb\n");
  EXPECT_FALSE(fs::exists(Path("new.odb")));

  // A document of version 1 lists no slots of an object in one file only.
  WriteFile(Path("v1.json"),
            R"({"format": "odbdiff-differences", "version": 1, "command": "compare", "objects": [{"name": "n", "status": "only-in-b"}]})");
  const RunResult old = Run({"patch", "a.odb", "v1.json", "-o", "new.odb"});
  EXPECT_EQ(old.exit_status, 2);
  EXPECT_EQ(old.err,
            "odbdiff: v1.json: /objects/0: object \"n\" comes without its slots (a document of "
            "version 1)\n");
  EXPECT_EQ(Run({"patch", "a.odb", "subset.json", "-o", "a.odb"}).err,
            "odbdiff: a.odb: is also an input\n");
}

}  // namespace
}  // namespace odbdiff_test
