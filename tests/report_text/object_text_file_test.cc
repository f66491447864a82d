#include "diff/report_text/object_text_file.h"

#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <cstdint>  // std::int64_t
#include <cstdio>   // EOF
#include <fstream>  // std::ofstream
#include <string>   // std::string
#include <vector>   // std::vector

#include "diff/diff.h"                        // DIFF_STATUS_*, DIFF_ERROR_*
#include "diff/engine/list2_compare.h"        // compare_list2
#include "diff/outcome/call_outcome.h"        // guarded, last_outcome
#include "tests/report_text/report_files.h"   // read_file, expected_report
#include "tests/support/list2_fixtures.h"     // List2Ptr, make_list2, make_marked_list2
#include "tests/support/temp_dir.h"           // TempDir

namespace diff {
namespace {

using testing::List2Ptr;
using testing::make_list2;
using testing::make_marked_list2;

constexpr std::int64_t kUnmatched = DIFF_STATUS_DIFFERENT;
constexpr std::int64_t kMatched = DIFF_STATUS_SAME;

class ObjectTextFileTest : public ::testing::Test {
 protected:
  // Writes the table of the four lists and checks the file against `expected`.
  void expect_table(const List2Ptr& a_slots, const List2Ptr& a_values, const List2Ptr& b_slots,
                    const List2Ptr& b_values, const std::string& expected) {
    const std::string path = dir_.file("object.txt");
    EXPECT_EQ(write_object_text_file(a_slots.get(), a_values.get(), b_slots.get(), b_values.get(),
                                     path.c_str()),
              0);
    EXPECT_EQ(testing::read_file(path), testing::expected_report(expected));
  }

  testing::TempDir dir_;
};

TEST_F(ObjectTextFileTest, EmptyListsGiveTheHeaderOnly) {
  const List2Ptr none = make_list2({});
  expect_table(none, none, none, none, "object_empty.txt");
}

TEST_F(ObjectTextFileTest, UnmatchedSlotWithoutOtherSideGetsOneRow) {
  expect_table(make_marked_list2({{"x", kUnmatched}}), make_list2({"1"}), make_list2({}),
               make_list2({}), "object_one_sided.txt");
}

TEST_F(ObjectTextFileTest, MatchedPairShareARowAndUnmatchedFollowAlone) {
  expect_table(make_marked_list2({{"p", kMatched}, {"q", kUnmatched}}), make_list2({"pa", "qa"}),
               make_marked_list2({{"p", kMatched}}), make_list2({"pb"}),
               "object_matched_then_unmatched.txt");
}

TEST_F(ObjectTextFileTest, RunsOfUnmatchedSlotsOnBothSidesAndLongTextsWrittenWhole) {
  expect_table(
      make_marked_list2({{"a_slot_name_of_25_chars__", kUnmatched},
                         {"b", kMatched},
                         {"c", kUnmatched},
                         {"d", kMatched}}),
      make_list2({"va1", "vb", "a value text longer than thirty-two", "vd"}),
      make_marked_list2({{"b", kMatched}, {"d", kMatched}, {"e", kUnmatched}, {"f", kUnmatched}}),
      make_list2({"wb", "wd", "we", "wf"}), "object_mixed_walk.txt");
}

TEST_F(ObjectTextFileTest, UnmarkedListsAreWrittenSideBySide) {
  // Data words other than DIFF_STATUS_DIFFERENT count as matched.
  expect_table(make_list2({"s1", "s2", "s3"}), make_list2({"v1", "v2", "v3"}), make_list2({"t1"}),
               make_list2({"w1"}), "object_unmarked.txt");
}

TEST_F(ObjectTextFileTest, MissingValueItemShowsAsEmpty) {
  expect_table(make_list2({"k1", "k2"}), make_list2({"v1"}), make_list2({"k1", "k2"}),
               make_list2({"w1", "w2"}), "object_short_values.txt");
}

TEST_F(ObjectTextFileTest, WritesTheListsThatAKeyedComparisonHandsBack) {
  const List2Ptr a_names = make_list2({"q", "p"});
  const List2Ptr a_values = make_list2({"qa", "pa"});
  const List2Ptr b_names = make_list2({"p"});
  const List2Ptr b_values = make_list2({"pb"});
  list2 sorted[4] = {};
  engine::compare_list2(engine::ValueRule{}, a_names.get(), a_values.get(), b_names.get(),
                        b_values.get(), &sorted[0], &sorted[1], &sorted[2], &sorted[3]);
  const List2Ptr a_slots(sorted[0]), a_sorted_values(sorted[1]), b_slots(sorted[2]),
      b_sorted_values(sorted[3]);
  expect_table(a_slots, a_sorted_values, b_slots, b_sorted_values,
               "object_matched_then_unmatched.txt");
}

TEST_F(ObjectTextFileTest, ReplacesAnExistingFile) {
  const std::string path = dir_.file("object.txt");
  std::ofstream(path) << std::string(1000, '#');
  const List2Ptr none = make_list2({});
  EXPECT_EQ(write_object_text_file(none.get(), none.get(), none.get(), none.get(), path.c_str()),
            0);
  EXPECT_EQ(testing::read_file(path), testing::expected_report("object_empty.txt"));
}

// Each failure answers EOF and tells why.
TEST_F(ObjectTextFileTest, FailuresGiveEofAndTellWhy) {
  const List2Ptr slots = make_list2({"x"});
  const list2 x = slots.get();
  const std::string unreachable = dir_.file("no_such_folder/object.txt");
  const struct {
    const char* path;
    int code;
    std::string message;
  } cases[] = {
      {unreachable.c_str(), DIFF_ERROR_WRITE, unreachable + ": No such file or directory"},
      {nullptr, DIFF_ERROR_ARGUMENT, "diff_object_WriteTextFile: the report path is missing"},
      // Every write to /dev/full fails for want of room.
      {"/dev/full", DIFF_ERROR_WRITE, "/dev/full: No space left on device"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(guarded(EOF, [&] { return write_object_text_file(x, x, x, x, c.path); }), EOF);
    const char* message = nullptr;
    EXPECT_EQ(last_outcome(&message), c.code);
    EXPECT_EQ(message, c.message);
  }
}

}  // namespace
}  // namespace diff
