// diff_list2_ormo through the module's entry point, and the same comparison
// giving its sorted sides as views.
#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <algorithm>  // std::shuffle, std::stable_sort, std::find
#include <iterator>   // std::size
#include <random>     // std::mt19937
#include <string>  // std::string
#include <thread>  // std::thread
#include <vector>  // std::vector

#include "diff/diff.h"                     // diff_list2_ormo, diff_list2, DIFF_STATUS_*
#include "diff/engine/strlist_compare.h"   // compare_strlists_sorted, SortedSides
#include "tests/support/list2_fixtures.h"  // fill, items_of, make_list2

namespace diff::testing {
namespace {

constexpr std::int64_t S = DIFF_STATUS_SAME;
constexpr std::int64_t D = DIFF_STATUS_DIFFERENT;

struct StrListComparison {
  CStrList a_names, a_values, b_names, b_values;
  CStrList a_sorted_names, a_sorted_values, b_sorted_names, b_sorted_values;
  int result = -1;

  StrListComparison(const std::vector<std::string>& an, const std::vector<std::string>& av,
                    const std::vector<std::string>& bn, const std::vector<std::string>& bv) {
    fill(a_names, an);
    fill(a_values, av);
    fill(b_names, bn);
    fill(b_values, bv);
    result = diff_list2_ormo(&a_names, &a_values, &b_names, &b_values, &a_sorted_names,
                             &a_sorted_values, &b_sorted_names, &b_sorted_values);
  }
};

TEST(DiffList2OrmoTest, NameListsWithoutValuesMarkOnlyNames) {
  StrListComparison c({"b", "a"}, {}, {"c", "a"}, {});
  EXPECT_EQ(c.result, 1);
  EXPECT_EQ(items_of(c.a_sorted_names), (std::vector<Item>{{"a", S}, {"b", D}}));
  EXPECT_EQ(items_of(c.b_sorted_names), (std::vector<Item>{{"a", S}, {"c", D}}));
  EXPECT_EQ(items_of(c.a_names), (std::vector<Item>{{"b", D}, {"a", S}}));
  EXPECT_EQ(items_of(c.b_names), (std::vector<Item>{{"c", D}, {"a", S}}));
  EXPECT_EQ(c.a_sorted_values.GetLength(), 0);
  EXPECT_EQ(c.b_sorted_values.GetLength(), 0);
}

TEST(DiffList2OrmoTest, SameNamesWithoutValuesAreSame) {
  StrListComparison c({"y", "x"}, {}, {"x", "y"}, {});
  EXPECT_EQ(c.result, 0);
  EXPECT_EQ(items_of(c.b_sorted_names), (std::vector<Item>{{"x", S}, {"y", S}}));
}

TEST(DiffList2OrmoTest, OneSideEmpty) {
  StrListComparison b_empty({"k", "j"}, {"1", "2"}, {}, {});
  EXPECT_EQ(b_empty.result, 1);
  EXPECT_EQ(items_of(b_empty.a_sorted_names), (std::vector<Item>{{"j", D}, {"k", D}}));
  EXPECT_EQ(items_of(b_empty.a_sorted_values), (std::vector<Item>{{"2", D}, {"1", D}}));
  EXPECT_EQ(items_of(b_empty.a_values), (std::vector<Item>{{"1", D}, {"2", D}}));

  StrListComparison a_empty({}, {}, {"k", "j"}, {"1", "2"});
  EXPECT_EQ(a_empty.result, 1);
  EXPECT_EQ(items_of(a_empty.b_sorted_names), (std::vector<Item>{{"j", D}, {"k", D}}));
  EXPECT_EQ(items_of(a_empty.b_sorted_values), (std::vector<Item>{{"2", D}, {"1", D}}));
  EXPECT_EQ(a_empty.a_sorted_names.GetLength(), 0);
}

TEST(DiffList2OrmoTest, FirstNameOfBWithoutCounterpartIsMarkedByTheFinalPass) {
  StrListComparison c({"b", "c"}, {"1", "1"}, {"c", "b", "a"}, {"1", "1", "1"});
  EXPECT_EQ(c.result, 1);
  EXPECT_EQ(items_of(c.b_sorted_names), (std::vector<Item>{{"a", D}, {"b", S}, {"c", S}}));
  EXPECT_EQ(items_of(c.b_sorted_values), (std::vector<Item>{{"1", D}, {"1", S}, {"1", S}}));
  EXPECT_EQ(items_of(c.b_names), (std::vector<Item>{{"c", S}, {"b", S}, {"a", D}}));
}

TEST(DiffList2OrmoTest, NameReadingLikeStatusCodeWithoutCounterpartIsDifferent) {
  StrListComparison c({"x"}, {}, {"x", "100001"}, {});
  EXPECT_EQ(c.result, 1);
  EXPECT_EQ(items_of(c.b_sorted_names), (std::vector<Item>{{"100001", D}, {"x", S}}));
  EXPECT_EQ(items_of(c.b_names), (std::vector<Item>{{"x", S}, {"100001", D}}));
}

TEST(DiffList2OrmoTest, ValuesAreComparedOnlyWhenBothSidesHaveThem) {
  StrListComparison c({"x"}, {"5"}, {"x"}, {});
  EXPECT_EQ(c.result, 0);
  EXPECT_EQ(items_of(c.a_names), (std::vector<Item>{{"x", S}}));
  // Values that were not compared carry the integer value of their text.
  EXPECT_EQ(items_of(c.a_values), (std::vector<Item>{{"5", 5}}));
  EXPECT_EQ(items_of(c.a_sorted_values), (std::vector<Item>{{"5", 5}}));
  EXPECT_EQ(c.b_sorted_values.GetLength(), 0);
}

TEST(DiffList2OrmoTest, NameTwiceTakesTheInputIndexOfItsFirstOccurrence) {
  StrListComparison c({"x", "x"}, {"1", "2"}, {"x"}, {"1"});
  EXPECT_EQ(c.result, 1);
  EXPECT_EQ(items_of(c.a_sorted_names), (std::vector<Item>{{"x", S}, {"x", D}}));
  // Both sorted items point at the first occurrence, so its value stands for
  // both and the last mark written to it stays; the second occurrence keeps
  // its input index.
  EXPECT_EQ(items_of(c.a_sorted_values), (std::vector<Item>{{"1", S}, {"1", D}}));
  EXPECT_EQ(items_of(c.a_names), (std::vector<Item>{{"x", D}, {"x", 1}}));
  EXPECT_EQ(items_of(c.a_values), (std::vector<Item>{{"1", D}, {"2", 1}}));
}

// With parallel values and unique names both flavours give the same marks.
TEST(DiffList2OrmoTest, AgreesWithList2FlavourOnUniqueNames) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> sides[2][2];
    for (auto& side : sides) {
      for (int letter = 0; letter < 12; ++letter) {
        if (random() % 2 == 0) continue;
        side[0].push_back(std::string(1, static_cast<char>('a' + letter)) + "\xE9");
        side[1].push_back(std::to_string(100 + random() % 4));
      }
      std::shuffle(side[0].begin(), side[0].end(), random);  // values need not follow
    }
    StrListComparison ormo(sides[0][0], sides[0][1], sides[1][0], sides[1][1]);
    List2Ptr an = make_list2(sides[0][0]), av = make_list2(sides[0][1]);
    List2Ptr bn = make_list2(sides[1][0]), bv = make_list2(sides[1][1]);
    list2 outs[4] = {};
    const int result =
        diff_list2(an.get(), av.get(), bn.get(), bv.get(), &outs[0], &outs[1], &outs[2], &outs[3]);
    List2Ptr owned[4] = {List2Ptr(outs[0]), List2Ptr(outs[1]), List2Ptr(outs[2]), List2Ptr(outs[3])};
    ASSERT_EQ(ormo.result, result);
    ASSERT_EQ(items_of(ormo.a_names), items_of(an.get()));
    ASSERT_EQ(items_of(ormo.a_values), items_of(av.get()));
    ASSERT_EQ(items_of(ormo.b_names), items_of(bn.get()));
    ASSERT_EQ(items_of(ormo.b_values), items_of(bv.get()));
    ASSERT_EQ(items_of(ormo.a_sorted_names), items_of(owned[0].get()));
    ASSERT_EQ(items_of(ormo.a_sorted_values), items_of(owned[1].get()));
    ASSERT_EQ(items_of(ormo.b_sorted_names), items_of(owned[2].get()));
    ASSERT_EQ(items_of(ormo.b_sorted_values), items_of(owned[3].get()));
  }
}

// The sorted sides given as views hold what the sorted lists hold: the same
// texts, and marks that stand for the same status codes, duplicate names
// and one-sided names included.
TEST(DiffList2OrmoTest, SortedSidesAsViewsMatchTheSortedLists) {
  std::mt19937 random(11);
  auto viewed = [](const std::vector<const char*>& texts,
                   const std::vector<engine::Mark>& marks) {
    std::vector<Item> items;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      items.emplace_back(texts[i], engine::status_code(marks[i]));
    }
    return items;
  };
  for (int round = 0; round < 200; ++round) {
    std::vector<std::string> sides[2][2];
    for (auto& side : sides) {
      const int count = static_cast<int>(random() % 40);  // past the short lists' sort
      for (int i = 0; i < count; ++i) {
        side[0].push_back(std::string(1, static_cast<char>('a' + random() % 30)));
        side[1].push_back(std::to_string(random() % 3));
      }
    }
    StrListComparison lists(sides[0][0], sides[0][1], sides[1][0], sides[1][1]);
    CStrList inputs[4];
    for (int i = 0; i < 4; ++i) fill(inputs[i], sides[i / 2][i % 2]);
    engine::SortedSides views;
    ASSERT_TRUE(engine::compare_strlists_sorted(engine::ValueRule{}, inputs[0], inputs[1],
                                                inputs[2], inputs[3], views));
    EXPECT_EQ(views.differ, lists.result == 1);
    ASSERT_EQ(viewed(views.a_names, views.a_name_marks), items_of(lists.a_sorted_names));
    ASSERT_EQ(viewed(views.a_values, views.a_value_marks), items_of(lists.a_sorted_values));
    ASSERT_EQ(viewed(views.b_names, views.b_name_marks), items_of(lists.b_sorted_names));
    ASSERT_EQ(viewed(views.b_values, views.b_value_marks), items_of(lists.b_sorted_values));
  }
  CStrList names, values, none;
  fill(names, {"x"});
  engine::SortedSides untouched;
  EXPECT_FALSE(
      engine::compare_strlists_sorted(engine::ValueRule{}, names, values, names, none, untouched));
}

// Short and long lists are sorted by different means; at every length the
// order is byte-wise and stable, and each sorted value is that of its name's
// first occurrence.
TEST(DiffList2OrmoTest, SortsShortAndLongListsAlike) {
  std::mt19937 random(64);
  for (const int length : {1, 2, 63, 64, 65, 300}) {
    std::vector<std::string> names;
    std::vector<std::string> values;
    for (int i = 0; i < length; ++i) {
      // Few distinct names, so that many occur more than once; some bytes above 0x7F.
      const unsigned pick = random() % static_cast<unsigned>(length / 2 + 1);
      names.push_back((pick % 3 == 0 ? "\xC3" : "n") + std::to_string(pick));
      values.push_back("v" + std::to_string(i));
    }
    std::vector<int> order(names.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&names](int x, int y) {
      return std::lexicographical_compare(
          names[x].begin(), names[x].end(), names[y].begin(), names[y].end(),
          [](char p, char q) { return static_cast<unsigned char>(p) < static_cast<unsigned char>(q); });
    });
    std::vector<std::string> expected_names;
    std::vector<std::string> expected_values;
    for (const int i : order) {
      const auto first = std::find(names.begin(), names.end(), names[i]) - names.begin();
      expected_names.push_back(names[i]);
      expected_values.push_back(values[first]);
    }

    StrListComparison c(names, values, {}, {});
    std::vector<std::string> sorted_names;
    std::vector<std::string> sorted_values;
    for (const Item& item : items_of(c.a_sorted_names)) sorted_names.push_back(item.first);
    for (const Item& item : items_of(c.a_sorted_values)) sorted_values.push_back(item.first);
    EXPECT_EQ(sorted_names, expected_names) << "length " << length;
    EXPECT_EQ(sorted_values, expected_values) << "length " << length;
  }
}

TEST(DiffList2OrmoTest, ComparisonsOneAfterAnotherLeaveNothingBehind) {
  std::vector<std::string> many;
  for (int i = 0; i < 5000; ++i) many.push_back("n" + std::to_string(i));
  struct Step {
    std::vector<std::string> an, av, bn, bv;
    std::vector<Item> a_names, a_values, b_names, b_values;
    int result;
  };
  // In this order: values, then names only, then lists longer than the
  // vectors kept between comparisons, then short lists again.
  const Step steps[] = {
      {{"z", "x", "y"}, {"3", "1", "2"}, {"z", "x"}, {"9", "1"},
       {{"x", S}, {"y", D}, {"z", S}}, {{"1", S}, {"2", D}, {"3", D}},
       {{"x", S}, {"z", S}}, {{"1", S}, {"9", D}}, 1},
      {{"a"}, {}, {"a"}, {}, {{"a", S}}, {}, {{"a", S}}, {}, 0},
      {many, {}, many, {}, {}, {}, {}, {}, 0},
      {{"q"}, {"v"}, {"q"}, {"w"}, {{"q", S}}, {{"v", D}}, {{"q", S}}, {{"w", D}}, 1},
  };
  for (std::size_t k = 0; k < std::size(steps); ++k) {
    const Step& step = steps[k];
    StrListComparison c(step.an, step.av, step.bn, step.bv);
    EXPECT_EQ(c.result, step.result) << "step " << k;
    if (step.an.size() > 1000) continue;  // only the result is written above
    EXPECT_EQ(items_of(c.a_sorted_names), step.a_names) << "step " << k;
    EXPECT_EQ(items_of(c.a_sorted_values), step.a_values) << "step " << k;
    EXPECT_EQ(items_of(c.b_sorted_names), step.b_names) << "step " << k;
    EXPECT_EQ(items_of(c.b_sorted_values), step.b_values) << "step " << k;
  }
}

// Several threads may compare lists of their own at once: each comparison
// gives what it gives alone.
TEST(DiffList2OrmoTest, ThreadsCompareListsOfTheirOwnAtOnce) {
  const auto texts = [](int count, const std::string& prefix) {
    std::vector<std::string> side;
    for (int i = count; i > 0; --i) side.push_back(prefix + std::to_string(i % (count / 2 + 1)));
    return side;
  };
  struct Lists {
    std::vector<std::string> an, av, bn, bv;
  };
  const Lists lists[2] = {{texts(300, "n"), texts(300, "1"), texts(200, "n"), texts(200, "1")},
                          {texts(40, "m"), texts(40, "2"), texts(60, "m"), texts(60, "3")}};
  const auto outcome_of = [](const Lists& l) {
    StrListComparison c(l.an, l.av, l.bn, l.bv);
    return std::vector<std::vector<Item>>{
        items_of(c.a_sorted_names), items_of(c.a_sorted_values), items_of(c.b_sorted_names),
        items_of(c.b_sorted_values), {{"result", c.result}, {"error", diff_last_error(nullptr)}}};
  };
  const std::vector<std::vector<Item>> alone[2] = {outcome_of(lists[0]), outcome_of(lists[1])};
  bool agreed[2] = {true, true};
  std::vector<std::thread> threads;
  for (int t = 0; t < 2; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 2000 && agreed[t]; ++round) {
        agreed[t] = outcome_of(lists[t]) == alone[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_TRUE(agreed[0]);
  EXPECT_TRUE(agreed[1]);
}

TEST(DiffList2OrmoTest, NullListsCountAsEmpty) {
  CStrList b_names;
  fill(b_names, {"k"});
  CStrList b_sorted;
  EXPECT_EQ(diff_list2_ormo(nullptr, nullptr, &b_names, nullptr, nullptr, nullptr, &b_sorted,
                            nullptr),
            1);
  EXPECT_EQ(items_of(b_sorted), (std::vector<Item>{{"k", D}}));
}

}  // namespace
}  // namespace diff::testing
