#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <string>  // std::string

#include "diff/host/list_library.h"  // CvxString

namespace {

TEST(ListLibraryCvxStringTest, HoldsItsOwnCopy) {
  std::string source = "value";
  CvxString text(source.c_str());
  source[0] = 'X';
  EXPECT_STREQ(text.Text(), "value");
  EXPECT_EQ(text.GetLength(), 5);

  EXPECT_STREQ(CvxString().Text(), "");
  EXPECT_EQ(CvxString(nullptr).GetLength(), 0);
  EXPECT_STREQ(CvxString("abcdef", 3).Text(), "abc");
  EXPECT_STREQ(CvxString("ab\0cd", 5).Text(), "ab");  // stops at a NUL
  EXPECT_EQ(CvxString("ab\0cd", 5).GetLength(), 2);
  EXPECT_STREQ(CvxString(nullptr, 4).Text(), "");
}

TEST(ListLibraryCvxStringTest, LeftTakesTheFirstCharacters) {
  const CvxString text("report");
  EXPECT_STREQ(text.Left(3).Text(), "rep");
  EXPECT_EQ(text.Left(3).GetLength(), 3);
  EXPECT_STREQ(text.Left(6).Text(), "report");
  EXPECT_STREQ(text.Left(100).Text(), "report");
  EXPECT_STREQ(text.Left(0).Text(), "");
  EXPECT_STREQ(text.Left(-2).Text(), "");
  EXPECT_STREQ(text.Text(), "report");  // unchanged
}

TEST(ListLibraryCvxStringTest, CopiesAndAssignmentsAreIndependent) {
  CvxString first("first");
  CvxString copy(first);
  CvxString assigned("x");
  assigned = first;
  first = "changed";
  EXPECT_STREQ(copy.Text(), "first");
  EXPECT_STREQ(assigned.Text(), "first");
  EXPECT_STREQ(first.Text(), "changed");
  EXPECT_EQ(first.GetLength(), 7);

  const CvxString& same = assigned;
  assigned = same;
  EXPECT_STREQ(assigned.Text(), "first");
  assigned = assigned.Text() + 2;  // a text inside its own
  EXPECT_STREQ(assigned.Text(), "rst");
  EXPECT_EQ(assigned.GetLength(), 3);
  assigned = static_cast<const char*>(nullptr);
  EXPECT_STREQ(assigned.Text(), "");
  EXPECT_EQ(assigned.GetLength(), 0);
}

}  // namespace
