// The ignore rules and accepted differences as the host keeps them: glob
// matching of whole names byte for byte, limited slot patterns, exact
// accepted differences, and refusals that change nothing.
#include <gtest/gtest.h>  // TEST, EXPECT_*

#include "diff/diff.h"  // the entry points

namespace diff::testing {
namespace {

struct GlobCase {
  const char* pattern;
  const char* name;
  int ignored;
};

TEST(IgnoreAcceptStoreTest, ObjectPatternsMatchWholeNamesAsFnmatchDoes) {
  const GlobCase cases[] = {
      {"P-001", "P-001", 1},      {"P-001", "P-0011", 0},     {"P-001", "p-001", 0},
      {"P-*", "P-", 1},           {"P-*", "xP-1", 0},         {"*", "", 1},
      {"?-1", "P-1", 1},          {"?-1", "-1", 0},           {"[A-C]x", "Bx", 1},
      {"[!A-C]x", "Bx", 0},       {"[]]x", "]x", 1},          {"[[:digit:]]*", "7a", 1},
      {"a\\*b", "a*b", 1},        {"a\\*b", "axb", 0},        {"tag\\", "tag\\", 0},
      {"A:B", "A:B", 1},          {"*:*", "plant:pump", 1},   {"[ab", "[ab", 1},
      {"*.cfg", "/etc/x.cfg", 1}, {"\xc3\xa9*", "\xc3\xa9t\xc3\xa9", 1},
  };
  for (const GlobCase& c : cases) {
    diff_reset_options();
    ASSERT_EQ(diff_ignore_object(c.pattern), 1);
    EXPECT_EQ(diff_is_ignored(c.name, nullptr), c.ignored) << c.pattern << " vs " << c.name;
  }
  diff_reset_options();
}

TEST(IgnoreAcceptStoreTest, SlotPatternsLimitedToObjects) {
  diff_reset_options();
  diff_ignore_slot(nullptr, "stamp");
  diff_ignore_slot("P-*", "Edit?r");
  EXPECT_EQ(diff_is_ignored("Q", "stamp"), 1);
  EXPECT_EQ(diff_is_ignored("P-1", "Editor"), 1);
  EXPECT_EQ(diff_is_ignored("Q", "Editor"), 0);
  EXPECT_EQ(diff_is_ignored("P-1", nullptr), 0);
  EXPECT_EQ(diff_is_ignored(nullptr, "stamp"), 0);
  diff_reset_options();
  EXPECT_EQ(diff_is_ignored("Q", "stamp"), 0);
}

TEST(IgnoreAcceptStoreTest, OnlyTheExactDifferenceIsAccepted) {
  diff_reset_options();
  ASSERT_EQ(diff_accept_difference(DIFF_SLOT_VALUES_DIFFER, "P", "tag", "1", "2"), 1);
  ASSERT_EQ(diff_accept_difference(DIFF_OBJECT_ONLY_IN_A, "Q", nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(diff_is_accepted(DIFF_SLOT_VALUES_DIFFER, "P", "tag", "1", "2"), 1);
  EXPECT_EQ(diff_is_accepted(DIFF_SLOT_VALUES_DIFFER, "P", "tag", "1", "3"), 0);
  EXPECT_EQ(diff_is_accepted(DIFF_OBJECT_ONLY_IN_A, "Q", nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(diff_is_accepted(DIFF_OBJECT_ONLY_IN_B, "Q", nullptr, nullptr, nullptr), 0);
  ASSERT_EQ(diff_clear_accepted(), 1);
  EXPECT_EQ(diff_is_accepted(DIFF_OBJECT_ONLY_IN_A, "Q", nullptr, nullptr, nullptr), 0);
}

TEST(IgnoreAcceptStoreTest, RefusalsChangeNothing) {
  diff_reset_options();
  EXPECT_EQ(diff_ignore_object(nullptr), 0);
  EXPECT_EQ(diff_last_error(nullptr), DIFF_ERROR_ARGUMENT);
  EXPECT_EQ(diff_ignore_slot("*", nullptr), 0);
  EXPECT_EQ(diff_last_error(nullptr), DIFF_ERROR_ARGUMENT);
  EXPECT_EQ(diff_accept_difference(DIFF_OBJECT_SAME, "P", nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(diff_last_error(nullptr), DIFF_ERROR_ARGUMENT);
  EXPECT_EQ(diff_accept_difference(DIFF_SLOT_VALUES_DIFFER, "P", "s", "1", nullptr), 0);
  EXPECT_EQ(diff_last_error(nullptr), DIFF_ERROR_ARGUMENT);
  EXPECT_EQ(diff_is_ignored("anything", "s"), 0);
  EXPECT_EQ(diff_is_accepted(DIFF_SLOT_VALUES_DIFFER, "P", "s", "1", ""), 0);
}

}  // namespace
}  // namespace diff::testing
