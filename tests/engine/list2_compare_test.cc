// diff_list2 through the module's entry point.
#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <string>  // std::string
#include <vector>  // std::vector

#include "diff/diff.h"                    // diff_list2, DIFF_STATUS_*
#include "tests/support/list2_fixtures.h"  // make_list2, items_of

namespace diff::testing {
namespace {

constexpr std::int64_t S = DIFF_STATUS_SAME;
constexpr std::int64_t D = DIFF_STATUS_DIFFERENT;

// One comparison: the four inputs and the four sorted outputs.
struct List2Comparison {
  List2Ptr a_names, a_values, b_names, b_values;
  List2Ptr a_sorted_names, a_sorted_values, b_sorted_names, b_sorted_values;
  int result = -1;

  List2Comparison(const std::vector<std::string>& an, const std::vector<std::string>& av,
                  const std::vector<std::string>& bn, const std::vector<std::string>& bv)
      : a_names(make_list2(an)), a_values(make_list2(av)), b_names(make_list2(bn)),
        b_values(make_list2(bv)) {
    list2 outs[4] = {};
    result = diff_list2(a_names.get(), a_values.get(), b_names.get(), b_values.get(), &outs[0],
                        &outs[1], &outs[2], &outs[3]);
    a_sorted_names.reset(outs[0]);
    a_sorted_values.reset(outs[1]);
    b_sorted_names.reset(outs[2]);
    b_sorted_values.reset(outs[3]);
  }
};

TEST(DiffList2Test, BothSidesEmpty) {
  List2Comparison c({}, {}, {}, {});
  EXPECT_EQ(c.result, 0);
  ASSERT_NE(c.a_sorted_names, nullptr);
  ASSERT_NE(c.b_sorted_values, nullptr);
  EXPECT_TRUE(items_of(c.a_sorted_names.get()).empty());
  EXPECT_TRUE(items_of(c.a_sorted_values.get()).empty());
  EXPECT_TRUE(items_of(c.b_sorted_names.get()).empty());
  EXPECT_TRUE(items_of(c.b_sorted_values.get()).empty());
}

TEST(DiffList2Test, OneSideEmptyMarksEveryItemOfTheOther) {
  List2Comparison b_only({}, {}, {"b1", "a0"}, {"v1", "v0"});
  EXPECT_EQ(b_only.result, 1);
  EXPECT_EQ(items_of(b_only.b_sorted_names.get()), (std::vector<Item>{{"a0", D}, {"b1", D}}));
  EXPECT_EQ(items_of(b_only.b_sorted_values.get()), (std::vector<Item>{{"v0", D}, {"v1", D}}));
  EXPECT_EQ(items_of(b_only.b_names.get()), (std::vector<Item>{{"b1", D}, {"a0", D}}));
  EXPECT_EQ(items_of(b_only.b_values.get()), (std::vector<Item>{{"v1", D}, {"v0", D}}));

  List2Comparison a_only({"x"}, {"1"}, {}, {});
  EXPECT_EQ(a_only.result, 1);
  EXPECT_EQ(items_of(a_only.a_names.get()), (std::vector<Item>{{"x", D}}));
  EXPECT_EQ(items_of(a_only.a_sorted_values.get()), (std::vector<Item>{{"1", D}}));
}

TEST(DiffList2Test, SameItemsInOtherOrdersAreSameAndComeBackSorted) {
  List2Comparison c({"c", "a", "b"}, {"3", "1", "2"}, {"b", "c", "a"}, {"2", "3", "1"});
  EXPECT_EQ(c.result, 0);
  EXPECT_EQ(items_of(c.a_sorted_names.get()), (std::vector<Item>{{"a", S}, {"b", S}, {"c", S}}));
  EXPECT_EQ(items_of(c.a_sorted_values.get()), (std::vector<Item>{{"1", S}, {"2", S}, {"3", S}}));
  EXPECT_EQ(items_of(c.b_sorted_names.get()), (std::vector<Item>{{"a", S}, {"b", S}, {"c", S}}));
  EXPECT_EQ(items_of(c.b_sorted_values.get()), (std::vector<Item>{{"1", S}, {"2", S}, {"3", S}}));
  // The inputs keep their order and texts; only their data words change.
  EXPECT_EQ(items_of(c.a_names.get()), (std::vector<Item>{{"c", S}, {"a", S}, {"b", S}}));
  EXPECT_EQ(items_of(c.b_values.get()), (std::vector<Item>{{"2", S}, {"3", S}, {"1", S}}));
}

TEST(DiffList2Test, DifferentValuesMarkOnlyTheValues) {
  List2Comparison c({"k", "m"}, {"1", "5 kg"}, {"m", "k"}, {"5.05 g", "2"});
  EXPECT_EQ(c.result, 1);
  EXPECT_EQ(items_of(c.a_sorted_names.get()), (std::vector<Item>{{"k", S}, {"m", S}}));
  EXPECT_EQ(items_of(c.a_sorted_values.get()), (std::vector<Item>{{"1", D}, {"5 kg", S}}));
  EXPECT_EQ(items_of(c.b_sorted_values.get()), (std::vector<Item>{{"2", D}, {"5.05 g", S}}));
  EXPECT_EQ(items_of(c.b_values.get()), (std::vector<Item>{{"5.05 g", S}, {"2", D}}));
}

TEST(DiffList2Test, UnmatchedNamesOfBBeforeBetweenAndAfterMatches) {
  List2Comparison c({"e", "c"}, {"1", "1"}, {"f", "d", "c", "a", "e"}, {"1", "1", "1", "1", "1"});
  EXPECT_EQ(c.result, 1);
  EXPECT_EQ(items_of(c.b_sorted_names.get()),
            (std::vector<Item>{{"a", D}, {"c", S}, {"d", D}, {"e", S}, {"f", D}}));
  EXPECT_EQ(items_of(c.b_sorted_values.get()),
            (std::vector<Item>{{"1", D}, {"1", S}, {"1", D}, {"1", S}, {"1", D}}));
  EXPECT_EQ(items_of(c.b_names.get()),
            (std::vector<Item>{{"f", D}, {"d", D}, {"c", S}, {"a", D}, {"e", S}}));
  EXPECT_EQ(items_of(c.a_names.get()), (std::vector<Item>{{"e", S}, {"c", S}}));
}

TEST(DiffList2Test, DuplicateNamesPairUpInSortedOrder) {
  List2Comparison twice_in_a({"x", "y", "x"}, {"1", "2", "1"}, {"y", "x"}, {"2", "1"});
  EXPECT_EQ(twice_in_a.result, 1);
  EXPECT_EQ(items_of(twice_in_a.a_names.get()), (std::vector<Item>{{"x", S}, {"y", S}, {"x", D}}));
  EXPECT_EQ(items_of(twice_in_a.a_sorted_values.get()),
            (std::vector<Item>{{"1", S}, {"1", D}, {"2", S}}));

  List2Comparison twice_in_b({"x"}, {"1"}, {"x", "x"}, {"9", "1"});
  EXPECT_EQ(twice_in_b.result, 1);
  // The first occurrence in B pairs with A's x, and its value differs.
  EXPECT_EQ(items_of(twice_in_b.b_sorted_names.get()), (std::vector<Item>{{"x", S}, {"x", D}}));
  EXPECT_EQ(items_of(twice_in_b.b_sorted_values.get()), (std::vector<Item>{{"9", D}, {"1", D}}));
}

TEST(DiffList2Test, NamesThatReadLikeStatusCodesCompareLikeAnyOther) {
  // "0" is paired first; "100001" must not then be taken for a paired item of B.
  List2Comparison c({"100001", "0"}, {"v", "v"}, {"0"}, {"v"});
  EXPECT_EQ(c.result, 1);
  EXPECT_EQ(items_of(c.a_sorted_names.get()), (std::vector<Item>{{"0", S}, {"100001", D}}));
  EXPECT_EQ(items_of(c.a_names.get()), (std::vector<Item>{{"100001", D}, {"0", S}}));

  List2Comparison same({"100000", "100001"}, {"1", "2"}, {"100001", "100000"}, {"2", "1"});
  EXPECT_EQ(same.result, 0);
  EXPECT_EQ(items_of(same.b_sorted_names.get()),
            (std::vector<Item>{{"100000", S}, {"100001", S}}));
}

TEST(DiffList2Test, OutParametersAreOverwrittenWithoutBeingRead) {
  List2Ptr a(make_list2({"k"})), av(make_list2({"1"})), b(make_list2({"k"})), bv(make_list2({"1"}));
  list2 stale = reinterpret_cast<list2>(0x1);  // must be neither read nor freed
  list2 outs[4] = {stale, stale, stale, stale};
  EXPECT_EQ(diff_list2(a.get(), av.get(), b.get(), bv.get(), &outs[0], &outs[1], &outs[2], &outs[3]),
            0);
  for (list2 out : outs) {
    ASSERT_NE(out, stale);
    EXPECT_EQ(list2_length(out), 1);
    list2_delete(out);
  }
}

// Outside the contract: value lists shorter or longer than their names. A
// sorted value past the end of its value list, or without an input value,
// keeps its input index; an input value that no sorted value writes back
// keeps its input index too, and values past the names keep the caller's
// data words.
TEST(DiffList2Test, ValueListsOfOtherLengthsThanTheirNames) {
  List2Ptr a_names(make_list2({"c", "a", "b"})), a_values(make_list2({"1", "2"}));
  List2Ptr b_names(make_list2({"a", "b", "c"}));
  List2Ptr b_values(make_marked_list2({{"2", 0}, {"x", 0}, {"1", 0}, {"extra", 7}}));
  list2 outs[4] = {};
  EXPECT_EQ(diff_list2(a_names.get(), a_values.get(), b_names.get(), b_values.get(), &outs[0],
                       &outs[1], &outs[2], &outs[3]),
            1);
  const List2Ptr a_sorted_names(outs[0]), a_sorted_values(outs[1]);
  const List2Ptr b_sorted_names(outs[2]), b_sorted_values(outs[3]);
  EXPECT_EQ(items_of(a_names.get()), (std::vector<Item>{{"c", S}, {"a", S}, {"b", S}}));
  EXPECT_EQ(items_of(a_values.get()), (std::vector<Item>{{"1", 0}, {"2", S}}));
  EXPECT_EQ(items_of(a_sorted_names.get()), (std::vector<Item>{{"a", S}, {"b", S}, {"c", S}}));
  EXPECT_EQ(items_of(a_sorted_values.get()), (std::vector<Item>{{"2", S}, {"", 2}, {"1", 0}}));
  EXPECT_EQ(items_of(b_values.get()),
            (std::vector<Item>{{"2", S}, {"x", D}, {"1", S}, {"extra", 7}}));
  EXPECT_EQ(items_of(b_sorted_values.get()), (std::vector<Item>{{"2", S}, {"x", D}, {"1", S}}));
}

TEST(DiffList2Test, NullHandlesCountAsEmptyAndNullOutputsAreDropped) {
  List2Ptr b(make_list2({"k"})), bv(make_list2({"1"}));
  list2 b_sorted = nullptr;
  EXPECT_EQ(diff_list2(nullptr, nullptr, b.get(), bv.get(), nullptr, nullptr, &b_sorted, nullptr), 1);
  ASSERT_NE(b_sorted, nullptr);
  EXPECT_EQ(items_of(b_sorted), (std::vector<Item>{{"k", D}}));
  list2_delete(b_sorted);
}

}  // namespace
}  // namespace diff::testing
