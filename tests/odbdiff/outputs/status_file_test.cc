// odbdiff's status file of a pair of object files, read back through the
// object-database library.
#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <map>      // std::map
#include <string>   // std::string
#include <utility>  // std::pair
#include <vector>   // std::vector

#include "diff/host/list_library.h"       // CStrList
#include "diff/host/object_database.h"    // CvxODB
#include "module/difference_feed.h"       // EventFeed
#include "module/module_binding.h"        // BindDiffModule
#include "outputs/html/report_statuses.h"      // ReportStatuses
#include "outputs/html/status_file_collect.h"  // StatusFileCollector
#include "platform/failure.h"             // Failure
#include "project/status_file_write.h"    // WriteStatusFile
#include "tests/support/object_files.h"   // write_object_file, ObjectSpec
#include "tests/support/temp_dir.h"       // TempDir

namespace odbdiff_test {
namespace {

using diff::testing::ObjectSpec;
using diff::testing::write_object_file;
using odbdiff::BindDiffModule;
using odbdiff::DiffModule;
using odbdiff::ReportStatuses;
using odbdiff::StatusFileCollector;
using odbdiff::WriteStatusFile;

// Slot name to status text.
using Codes = std::map<std::string, std::string>;
// The objects of a status file in its object order, each with its codes.
using StatusContents = std::vector<std::pair<std::string, Codes>>;

StatusContents ReadStatusFile(const std::string& path) {
  CvxODB database(0, path.c_str(), 0);
  EXPECT_NE(database.Open(1), 0) << path;
  CStrList objects;
  database.GetObjects(&objects);
  StatusContents contents;
  for (int i = 0; i < objects.GetLength(); ++i) {
    const char* object = objects.GetTextAt(i);
    CStrList slots;
    CStrList values;
    database.LoadAllSlots(object, &slots, &values, 0, 0);
    Codes codes;
    for (int k = 0; k < slots.GetLength(); ++k) codes[slots.GetTextAt(k)] = values.GetTextAt(k);
    EXPECT_EQ(codes.size(), static_cast<std::size_t>(slots.GetLength())) << "slot twice";
    contents.emplace_back(object, codes);
  }
  return contents;
}

class OdbdiffStatusFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.file(name); }

  bool Write(const std::vector<ObjectSpec>& a, const std::vector<ObjectSpec>& b) {
    write_object_file(Path("a.odb"), a);
    write_object_file(Path("b.odb"), b);
    return WriteStatusFile(BindDiffModule(), Path("a.odb"), Path("b.odb"), Path("status.odb"));
  }

  diff::testing::TempDir folder_;
};

TEST_F(OdbdiffStatusFileTest, EveryObjectInByteWiseOrderWithTheCodeOfEachSlot) {
  const bool differ = Write(
      {{"zeta", {{"x", "1"}}},
       {"mid", {{"same", "v"}, {"diff", "1"}, {"onlyA", "q"}, {"near", "100"}, {"case", "off"}}},
       {"Alpha", {}},
       {"\xc3\xa9t\xc3\xa9", {{"t", "1"}}}},
      {{"mid", {{"onlyB", "r"}, {"near", "101"}, {"diff", "2"}, {"same", "v"}, {"case", "OFF"}}},
       {"beta", {{"y", "2"}, {"z", "3"}}},
       {"zeta", {{"x", "1"}}},
       {"\xc3\xa9t\xc3\xa9", {{"t", "1"}}}});
  EXPECT_TRUE(differ);
  // Upper case before lower case, and a multi-byte name after both.
  const StatusContents expected{
      {"Alpha", {}},
      {"beta", {{"y", "4"}, {"z", "4"}}},
      // "near" and "case" are equal by the module's rule (within 2 %; zero
      // texts equal ignoring case).
      {"mid",
       {{"case", "1"}, {"diff", "0"}, {"near", "1"}, {"onlyA", "3"}, {"onlyB", "4"},
        {"same", "1"}}},
      {"zeta", {{"x", "1"}}},
      {"\xc3\xa9t\xc3\xa9", {{"t", "1"}}}};
  EXPECT_EQ(ReadStatusFile(Path("status.odb")), expected);
}

TEST_F(OdbdiffStatusFileTest, SameFilesGiveOnlyEqualCodesAndDoNotDiffer) {
  const std::vector<ObjectSpec> objects{{"pump", {{"flow", "12"}, {"seal", "lip"}}},
                                        {"empty", {}}};
  EXPECT_FALSE(Write(objects, objects));
  const StatusContents expected{{"empty", {}}, {"pump", {{"flow", "1"}, {"seal", "1"}}}};
  EXPECT_EQ(ReadStatusFile(Path("status.odb")), expected);
}

TEST_F(OdbdiffStatusFileTest, AnObjectOnOneSideDiffersEvenWithoutSlots) {
  EXPECT_TRUE(Write({{"pump", {}}}, {{"valve", {{"size", "50"}}}}));
  const StatusContents expected{{"pump", {}}, {"valve", {{"size", "4"}}}};
  EXPECT_EQ(ReadStatusFile(Path("status.odb")), expected);
}

TEST_F(OdbdiffStatusFileTest, AFileThatIsNoObjectFileIsAFailure) {
  write_object_file(Path("a.odb"), {{"pump", {}}});
  EXPECT_THROW(WriteStatusFile(BindDiffModule(), Path("a.odb"), Path("missing.odb"),
                               Path("status.odb")),
               odbdiff::Failure);
}

// A rule put in force for one comparison.
struct Rule {
  const char* ignore_object = nullptr;
  const char* ignore_slot = nullptr;  // of every object
  int accepted_kind = 0;
  const char* object = nullptr;
  const char* slot = nullptr;
  const char* a_value = nullptr;
  const char* b_value = nullptr;
};

// What the HTML report reads of a status file without every slot shown: the
// objects with a difference (the others get no block), their slots that differ.
StatusContents Differences(const StatusContents& contents) {
  StatusContents kept;
  for (const auto& [object, codes] : contents) {
    Codes differing;
    for (const auto& [slot, code] : codes) {
      if (code != "1") differing[slot] = code;
    }
    if (!differing.empty()) kept.emplace_back(object, differing);
  }
  return kept;
}

// The status file and statuses taken from a file comparison's differences
// tell the HTML report what the pair's own comparison, object by object,
// tells it: the same objects in the same order with the same codes.
TEST_F(OdbdiffStatusFileTest, TheComparisonsDifferencesGiveTheStatusesOfTheObjectByObjectComparison) {
  write_object_file(Path("a.odb"),
                    {{"c", {{"x", "1"}}},
                     {"b1", {{"s", "1"}, {"t", "2"}}},
                     {"mid", {{"same", "v"}, {"diff", "1"}, {"gone", "5"}, {"near", "100"}}},
                     {"zeta", {{"x", "1"}, {"same", "2"}}},
                     {"a-empty", {}}});
  write_object_file(Path("b.odb"),
                    {{"mid", {{"same", "v"}, {"diff", "2"}, {"new", "7"}, {"near", "101"}}},
                     {"b0", {{"u", "1"}}},
                     {"b2", {}},
                     {"zeta", {{"x", "2"}, {"same", "2"}}},
                     {"c", {{"x", "1"}}}});
  const DiffModule& module = odbdiff::BindDiffModule();
  const std::vector<std::vector<Rule>> rule_sets{
      {},
      {{.ignore_object = "zeta"}, {.ignore_slot = "same"}},
      {{.accepted_kind = DIFF_SLOT_ONLY_IN_A, .object = "mid", .slot = "gone"},
       {.accepted_kind = DIFF_SLOT_VALUES_DIFFER, .object = "mid", .slot = "diff",
        .a_value = "1", .b_value = "2"},
       {.accepted_kind = DIFF_OBJECT_ONLY_IN_A, .object = "b1"}}};
  for (const std::vector<Rule>& rules : rule_sets) {
    for (const bool every_slot : {false, true}) {
      module.diff_reset_options();
      for (const Rule& rule : rules) {
        if (rule.ignore_object != nullptr) module.diff_ignore_object(rule.ignore_object);
        if (rule.ignore_slot != nullptr) module.diff_ignore_slot("*", rule.ignore_slot);
        if (rule.accepted_kind != 0) {
          module.diff_accept_difference(rule.accepted_kind, rule.object, rule.slot, rule.a_value,
                                        rule.b_value);
        }
      }
      ReportStatuses expected_statuses(every_slot);
      expected_statuses.BeginFile();
      WriteStatusFile(module, Path("a.odb"), Path("b.odb"), Path("expected.odb"), nullptr,
                      &expected_statuses);

      ReportStatuses statuses(every_slot);
      statuses.BeginFile();
      StatusFileCollector collected(every_slot, statuses);
      {
        odbdiff::EventFeed feed(collected, Path("a.odb"), Path("b.odb"), false);
        module.diff_set_event_observer(&odbdiff::EventFeed::Observe, &feed);
        module.diff_objfiles_ormo(Path("a.odb").c_str(), Path("b.odb").c_str(),
                                  Path("da.odb").c_str(), Path("db.odb").c_str(),
                                  Path("dc.odb").c_str(), 0);
        feed.RethrowFailure();
        feed.Finish();
        module.diff_set_event_observer(nullptr, nullptr);
        module.DiffTerminate();
      }
      collected.Write(module, Path("a.odb"), Path("b.odb"), Path("status.odb"));

      const StatusContents expected = ReadStatusFile(Path("expected.odb"));
      const StatusContents collected_contents = ReadStatusFile(Path("status.odb"));
      if (every_slot) {
        EXPECT_EQ(collected_contents, expected) << rules.size() << " rules, every slot";
      } else {
        EXPECT_EQ(Differences(collected_contents), Differences(expected)) << rules.size() << " rules";
      }
      EXPECT_EQ(statuses.ScriptBlock(), expected_statuses.ScriptBlock());
    }
  }
  module.diff_reset_options();
}

}  // namespace
}  // namespace odbdiff_test
