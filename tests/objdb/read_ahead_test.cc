// Reads of a read-only object file that run in name order are served by a
// read-ahead thread; whatever the order of reads, each must give exactly
// the object's slots in creation order.
#include <gmock/gmock.h>  // ElementsAreArray, IsEmpty
#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <cstdio>  // std::snprintf, std::rename
#include <string>  // std::string
#include <vector>  // std::vector

#include "diff/host/object_database.h"  // CvxODB
#include "objdb_test_support.h"         // ScratchDir, Texts

namespace {

using objdb_test::Texts;
using testing::ElementsAreArray;
using testing::IsEmpty;

// Objects "obj-0000" to "obj-NNNN"; every seventh has no slots. Each slot
// holds "<object>/<slot>"; the slots are made in an order their names do
// not sort in, and some names begin with another object's name.
class ReadAheadTest : public testing::Test {
 protected:
  static constexpr int kObjects = 1500;  // more than one batch of the read-ahead

  static std::string Name(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "obj-%04d", number);
    return name;
  }
  static bool HasSlots(int number) { return number % 7 != 3; }
  static std::vector<std::string> SlotNames(int number) {
    if (!HasSlots(number)) return {};
    if (number % 2 == 0) return {"zeta", "alpha", "mid"};
    return {"b", "a"};
  }

  void SetUp() override {
    CvxODB writer(1, path_.c_str(), 0);
    ASSERT_EQ(writer.Open(0), 1);
    // Made in descending name order, so that the file's order is not the
    // order of making.
    for (int number = kObjects - 1; number >= 0; --number) {
      const std::string object = Name(number);
      ASSERT_EQ(writer.CreateObject(object.c_str(), nullptr), 1);
      for (const std::string& slot : SlotNames(number)) {
        ASSERT_EQ(writer.SetValue(object.c_str(), slot.c_str(), (object + "/" + slot).c_str(), 0, 0),
                  1);
      }
      // A neighbour whose name begins with this one's.
      if (number % 100 == 0) {
        const std::string longer = object + " extra";
        ASSERT_EQ(writer.CreateObject(longer.c_str(), nullptr), 1);
        ASSERT_EQ(writer.SetValue(longer.c_str(), "s", "x", 0, 0), 1);
      }
    }
    ASSERT_EQ(writer.Close(1), 1);
    ASSERT_EQ(db_.Open(1), 1);
  }

  void ExpectObject(int number) {
    const std::string object = Name(number);
    CStrList names;
    CStrList values;
    ASSERT_EQ(db_.LoadAllSlots(object.c_str(), &names, &values, 0, 0), 1) << object;
    std::vector<std::string> expected_values;
    for (const std::string& slot : SlotNames(number)) expected_values.push_back(object + "/" + slot);
    EXPECT_THAT(Texts(names), ElementsAreArray(SlotNames(number))) << object;
    EXPECT_THAT(Texts(values), ElementsAreArray(expected_values)) << object;
  }

  objdb_test::ScratchDir dir_;
  std::string path_ = dir_.File("objects.odb");
  CvxODB db_{2, path_.c_str(), 0};
};

TEST_F(ReadAheadTest, ReadsInNameOrderWithGapsAndMissingNames) {
  for (int number = 0; number < kObjects; ++number) {
    if (number % 11 == 5) continue;  // objects the reader passes over
    ExpectObject(number);
    if (number % 250 == 0) {
      // A name between two objects, which no object has.
      CStrList names;
      CStrList values;
      EXPECT_EQ(db_.LoadAllSlots((Name(number) + "!").c_str(), &names, &values, 0, 0), 0);
      EXPECT_THAT(Texts(names), IsEmpty());
    }
  }
  CStrList names;
  CStrList values;
  EXPECT_EQ(db_.LoadAllSlots("zzz", &names, &values, 0, 0), 0);  // after the last object
}

TEST_F(ReadAheadTest, ReadsThatTurnBackOrRepeatAreServedAllTheSame) {
  for (int number = 0; number < 600; ++number) ExpectObject(number);
  ExpectObject(599);  // again
  ExpectObject(10);   // back
  for (int number = 11; number < 900; ++number) ExpectObject(number);
  for (int number = kObjects - 1; number >= kObjects - 100; --number) ExpectObject(number);
}

// Reads that begin dense and then pass over most objects: the read-ahead
// gives way to reading one by one, and every read still gives its object.
TEST_F(ReadAheadTest, DenseThenSparseReads) {
  for (int number = 0; number < 100; ++number) ExpectObject(number);
  for (int number = 100; number < kObjects; number += 40) ExpectObject(number);
  for (int number = 0; number < kObjects; number += 90) ExpectObject(number);
}

TEST_F(ReadAheadTest, FileReplacedUnderAnOpenDatabaseIsNotReadAhead) {
  // Another object file renamed over the path: the open database goes on
  // reading the file it opened.
  const std::string other_path = dir_.File("other.odb");
  {
    CvxODB other(3, other_path.c_str(), 0);
    ASSERT_EQ(other.Open(0), 1);
    for (int number = 0; number < kObjects; ++number) {
      const std::string object = Name(number);
      ASSERT_EQ(other.CreateObject(object.c_str(), nullptr), 1);
      ASSERT_EQ(other.SetValue(object.c_str(), "other", "other", 0, 0), 1);
    }
    ASSERT_EQ(other.Close(1), 1);
  }
  ExpectObject(0);
  ASSERT_EQ(std::rename(other_path.c_str(), path_.c_str()), 0);
  for (int number = 1; number < kObjects; ++number) ExpectObject(number);
}

}  // namespace
