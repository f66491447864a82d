// diff_objects_ormo over two object files.
#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <string>  // std::string
#include <vector>  // std::vector

#include "diff/diff.h"                          // diff_objects_ormo, diff_last_error, DIFF_*
#include "tests/support/damaged_object_file.h"  // give_slot_unknown_kind
#include "tests/support/list2_fixtures.h"       // items_of
#include "tests/support/temp_dir.h"             // TempDir

namespace diff::testing {
namespace {

constexpr std::int64_t S = DIFF_STATUS_SAME;
constexpr std::int64_t D = DIFF_STATUS_DIFFERENT;

class DiffObjectsOrmoTest : public ::testing::Test {
 protected:
  DiffObjectsOrmoTest() : a_(0, dir_.file("a.odb").c_str(), 0), b_(0, dir_.file("b.odb").c_str(), 0) {
    a_.Open(0);
    b_.Open(0);
  }

  // Saves both files and opens them for reading, as a comparison does.
  void reopen_for_reading() {
    ASSERT_EQ(a_.Close(1), 1);
    ASSERT_EQ(b_.Close(1), 1);
    ASSERT_EQ(a_.Open(1), 1);
    ASSERT_EQ(b_.Open(1), 1);
  }

  int compare(const char* object) {
    return diff_objects_ormo(&a_, object, &b_, object, &a_names_, &a_values_, &b_names_,
                             &b_values_);
  }

  TempDir dir_;
  CvxODB a_, b_;
  CStrList a_names_, a_values_, b_names_, b_values_;
};

TEST_F(DiffObjectsOrmoTest, EqualSlotsInAnyOrderAreSame) {
  a_.CreateObject("pump", nullptr);
  a_.SetValue("pump", "model", "P-100", 0, 0);
  a_.SetNumberValue("pump", "flow", 12.5, "m3/h");
  b_.CreateObject("pump", nullptr);
  b_.SetNumberValue("pump", "flow", 12.6, "m3/h");  // within the tolerance
  b_.SetValue("pump", "model", "P-100", 0, 0);
  reopen_for_reading();

  EXPECT_EQ(compare("pump"), 0);
  EXPECT_EQ(items_of(a_names_), (std::vector<Item>{{"flow", S}, {"model", S}}));
  EXPECT_EQ(items_of(a_values_), (std::vector<Item>{{"12.5 m3/h", S}, {"P-100", S}}));
  EXPECT_EQ(items_of(b_values_), (std::vector<Item>{{"12.6 m3/h", S}, {"P-100", S}}));
}

TEST_F(DiffObjectsOrmoTest, SlotsAndValuesThatDiffer) {
  a_.CreateObject("valve", nullptr);
  a_.SetValue("valve", "size", "DN50", 0, 0);
  a_.SetNumberValue("valve", "pressure", 16, "bar");
  b_.CreateObject("valve", nullptr);
  b_.SetNumberValue("valve", "pressure", 25, "bar");
  b_.SetValue("valve", "colour", "red", 0, 0);
  reopen_for_reading();

  EXPECT_EQ(compare("valve"), 1);
  EXPECT_EQ(items_of(a_names_), (std::vector<Item>{{"pressure", S}, {"size", D}}));
  EXPECT_EQ(items_of(a_values_), (std::vector<Item>{{"16 bar", D}, {"DN50", D}}));
  EXPECT_EQ(items_of(b_names_), (std::vector<Item>{{"colour", D}, {"pressure", S}}));
  EXPECT_EQ(items_of(b_values_), (std::vector<Item>{{"red", D}, {"25 bar", D}}));
}

TEST_F(DiffObjectsOrmoTest, ObjectMissingOnOneSideMarksEverySlotOfTheOther) {
  a_.CreateObject("tank", nullptr);
  a_.SetValue("tank", "volume", "40 m3", 0, 0);
  a_.SetValue("tank", "coating", "epoxy", 0, 0);
  reopen_for_reading();

  EXPECT_EQ(compare("tank"), 1);
  EXPECT_EQ(items_of(a_names_), (std::vector<Item>{{"coating", D}, {"volume", D}}));
  EXPECT_EQ(b_names_.GetLength(), 0);
  EXPECT_EQ(b_values_.GetLength(), 0);
}

TEST_F(DiffObjectsOrmoTest, NullDatabaseHasNoSlots) {
  CStrList a_names, a_values, b_names, b_values;
  EXPECT_EQ(diff_objects_ormo(nullptr, "x", nullptr, "x", &a_names, &a_values, &b_names, &b_values),
            0);
  EXPECT_EQ(a_names.GetLength(), 0);
}

TEST_F(DiffObjectsOrmoTest, SlotsThatCannotBeReadFailTheComparison) {
  a_.CreateObject("pump", nullptr);
  a_.SetValue("pump", "flow", "10", 0, 0);
  b_.CreateObject("pump", nullptr);
  reopen_for_reading();
  a_.Close(0);
  give_slot_unknown_kind(dir_.file("a.odb"), "pump", "flow");
  ASSERT_EQ(a_.Open(1), 1);
  EXPECT_EQ(compare("pump"), 1);
  const char* message = nullptr;
  EXPECT_EQ(diff_last_error(&message), DIFF_ERROR_READ);
  EXPECT_EQ(std::string(message),
            dir_.file("a.odb") + ": damaged: object \"pump\", slot \"flow\": kind 4 is unknown");
  EXPECT_EQ(compare("missing"), 0);  // a missing object is no failure
  EXPECT_EQ(diff_last_error(nullptr), DIFF_OK);
}

}  // namespace
}  // namespace diff::testing
