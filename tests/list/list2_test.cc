#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <cstdint>  // std::int64_t
#include <memory>   // std::unique_ptr
#include <random>   // std::mt19937, std::uniform_int_distribution
#include <string>   // std::string
#include <utility>  // std::pair
#include <vector>   // std::vector

#include "diff/host/list_library.h"  // list2 and its functions

namespace {

using Item = std::pair<std::string, std::int64_t>;

struct List2Deleter {
  void operator()(list2_impl* list) const { list2_delete(list); }
};
using List2Ptr = std::unique_ptr<list2_impl, List2Deleter>;

List2Ptr MakeList(const std::vector<std::string>& texts) {
  List2Ptr list(list2_create());
  std::int64_t data = 0;
  for (const std::string& text : texts) list2_append_to_end(list.get(), text.c_str(), data++);
  return list;
}

std::vector<Item> ItemsOf(list2 list) {
  std::vector<Item> items;
  for (int i = 0; i < list2_length(list); ++i) {
    std::int64_t data = -1;
    const char* text = list2_get_item(list, i, &data);
    items.emplace_back(text != nullptr ? text : "<null>", data);
  }
  return items;
}

TEST(ListLibraryList2Test, KeepsItemsInOrderWithTheirDataWords) {
  List2Ptr list(list2_create());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list2_length(list.get()), 0);
  EXPECT_EQ(list2_append_to_end(list.get(), "beta", 20), 1);
  EXPECT_EQ(list2_add_item(list.get(), "alpha", 0, 10), 1);
  EXPECT_EQ(list2_add_item(list.get(), "delta", 2, 40), 1);
  EXPECT_EQ(list2_add_item(list.get(), "gamma", 2, 30), 1);
  EXPECT_EQ(ItemsOf(list.get()),
            (std::vector<Item>{{"alpha", 10}, {"beta", 20}, {"gamma", 30}, {"delta", 40}}));

  std::int64_t data = 7;
  EXPECT_EQ(list2_get_item(list.get(), 4, &data), nullptr);
  EXPECT_EQ(list2_get_item(list.get(), -1, &data), nullptr);
  EXPECT_EQ(data, 7);  // left alone when there is no such item
  EXPECT_STREQ(list2_get_item(list.get(), 1, nullptr), "beta");
}

TEST(ListLibraryList2Test, AddedItemsAreCopies) {
  std::string text = "original";
  List2Ptr list(list2_create());
  list2_append_to_end(list.get(), text.c_str(), 0);
  text.assign("changed!");
  EXPECT_STREQ(list2_get_item(list.get(), 0, nullptr), "original");
}

TEST(ListLibraryList2Test, CopySortedIsStableByteWiseAndKeepsDataWords) {
  // Data words are the input positions, so the order of duplicates shows.
  const std::vector<std::string> texts = {"b", "\x80z", "a", "B", "b", "", "ab", "\xff", "a"};
  List2Ptr list = MakeList(texts);
  List2Ptr sorted(list2_copy_sorted(list.get()));
  ASSERT_NE(sorted, nullptr);
  EXPECT_EQ(ItemsOf(sorted.get()), (std::vector<Item>{{"", 5},
                                                      {"B", 3},
                                                      {"a", 2},
                                                      {"a", 8},
                                                      {"ab", 6},
                                                      {"b", 0},
                                                      {"b", 4},
                                                      {"\x80z", 1},
                                                      {"\xff", 7}}));
  // The source keeps its order, and the copy owns its texts.
  EXPECT_STREQ(list2_get_item(list.get(), 0, nullptr), "b");
  list.reset();
  EXPECT_STREQ(list2_get_item(sorted.get(), 8, nullptr), "\xff");
  EXPECT_EQ(list2_get_item_location(sorted.get(), "b"), 5);
}

TEST(ListLibraryList2Test, ReplaceTakesACopyEvenOfTheItemsOwnText) {
  List2Ptr list = MakeList({"first", "second"});
  const char* own = list2_get_item(list.get(), 1, nullptr);
  EXPECT_EQ(list2_replace_data_location(list.get(), 1, own, 99), 1);
  EXPECT_EQ(ItemsOf(list.get()), (std::vector<Item>{{"first", 0}, {"second", 99}}));

  // A text that starts inside the item's own text.
  own = list2_get_item(list.get(), 1, nullptr);
  EXPECT_EQ(list2_replace_data_location(list.get(), 1, own + 3, 5), 1);
  EXPECT_EQ(ItemsOf(list.get()), (std::vector<Item>{{"first", 0}, {"ond", 5}}));
  EXPECT_EQ(list2_get_item_location(list.get(), "ond"), 1);
  EXPECT_EQ(list2_member(list.get(), "second"), 0);

  // The text of another item of the same list.
  EXPECT_EQ(list2_replace_data_location(list.get(), 0, list2_get_item(list.get(), 1, nullptr), 6),
            1);
  EXPECT_EQ(ItemsOf(list.get()), (std::vector<Item>{{"ond", 6}, {"ond", 5}}));
  EXPECT_EQ(list2_get_item_location(list.get(), "ond"), 0);
}

TEST(ListLibraryList2Test, LookupsFindTheFirstOfDuplicatesAcrossChanges) {
  List2Ptr list = MakeList({"x", "dup", "y", "dup", "dup"});
  EXPECT_EQ(list2_get_item_location(list.get(), "dup"), 1);
  EXPECT_EQ(list2_get_item_location(list.get(), "none"), -1);
  EXPECT_EQ(list2_get_item_location(list.get(), "du"), -1);

  list2_replace_data_location(list.get(), 1, "x", 0);  // first "dup" goes
  EXPECT_EQ(list2_get_item_location(list.get(), "dup"), 3);
  EXPECT_EQ(list2_get_item_location(list.get(), "x"), 0);

  list2_replace_data_location(list.get(), 0, "dup", 0);  // an earlier one comes
  EXPECT_EQ(list2_get_item_location(list.get(), "dup"), 0);

  list2_add_item(list.get(), "dup", 0, 0);  // everything moves up
  list2_add_item(list.get(), "new", 1, 0);
  EXPECT_EQ(list2_get_item_location(list.get(), "new"), 1);
  EXPECT_EQ(list2_get_item_location(list.get(), "y"), 4);
  EXPECT_EQ(list2_get_item_location(list.get(), "x"), 3);
}

// The comparison engine's pattern: look a name up, then overwrite the found
// item with a status text that many items come to share, and later write the
// names back over the status texts.
TEST(ListLibraryList2Test, LookupsStayRightWhileItemsTakeAndLeaveASharedText) {
  std::vector<std::string> names;
  for (int i = 0; i < 50; ++i) names.push_back("name" + std::to_string(100 + i));
  List2Ptr list = MakeList(names);
  for (int i = 0; i < 50; i += 2) {
    const int at = list2_get_item_location(list.get(), names[i].c_str());
    ASSERT_EQ(at, i);
    list2_replace_data_location(list.get(), at, "100001", i);
    EXPECT_EQ(list2_get_item_location(list.get(), "100001"), 0);
    EXPECT_EQ(list2_member(list.get(), names[i].c_str()), 0);
    EXPECT_EQ(list2_get_item_location(list.get(), names[i + 1].c_str()), i + 1);
  }
  for (int i = 0; i < 50; i += 2) {
    list2_replace_data_location(list.get(), i, names[i].c_str(), i);
    EXPECT_EQ(list2_get_item_location(list.get(), "100001"), i + 2 < 50 ? i + 2 : -1);
    EXPECT_EQ(list2_get_item_location(list.get(), names[i].c_str()), i);
  }
}

// Random changes checked against a plain vector after every step.
TEST(ListLibraryList2Test, MatchesAPlainModelUnderRandomChanges) {
  const std::vector<std::string> pool = {"a", "b", "c", "d", "", "aa", "\xc3\xa9"};
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> pick_text(0, static_cast<int>(pool.size()) - 1);
  List2Ptr list(list2_create());
  std::vector<Item> model;
  for (int step = 0; step < 3000; ++step) {
    const std::string& text = pool[static_cast<std::size_t>(pick_text(random))];
    const int length = static_cast<int>(model.size());
    const int position = std::uniform_int_distribution<int>(0, length)(random);
    switch (std::uniform_int_distribution<int>(0, 3)(random)) {
      case 0:
        ASSERT_EQ(list2_append_to_end(list.get(), text.c_str(), step), 1);
        model.emplace_back(text, step);
        break;
      case 1:
        ASSERT_EQ(list2_add_item(list.get(), text.c_str(), position, step), 1);
        model.insert(model.begin() + position, Item{text, step});
        break;
      default:
        if (position == length) break;
        ASSERT_EQ(list2_replace_data_location(list.get(), position, text.c_str(), step), 1);
        model[static_cast<std::size_t>(position)] = Item{text, step};
        break;
    }
    for (const std::string& probe : pool) {
      int expected = -1;
      for (std::size_t i = 0; i < model.size() && expected < 0; ++i) {
        if (model[i].first == probe) expected = static_cast<int>(i);
      }
      ASSERT_EQ(list2_get_item_location(list.get(), probe.c_str()), expected)
          << "step " << step << " probe '" << probe << "'";
      ASSERT_EQ(list2_member(list.get(), probe.c_str()), expected >= 0 ? 1 : 0);
    }
  }
  EXPECT_EQ(ItemsOf(list.get()), model);
}

TEST(ListLibraryList2Test, RefusesNullAndInvalidArguments) {
  EXPECT_EQ(list2_delete(nullptr), 0);
  EXPECT_EQ(list2_length(nullptr), 0);
  EXPECT_EQ(list2_get_item(nullptr, 0, nullptr), nullptr);
  EXPECT_EQ(list2_member(nullptr, "a"), 0);
  EXPECT_EQ(list2_get_item_location(nullptr, "a"), -1);
  EXPECT_EQ(list2_replace_data_location(nullptr, 0, "a", 0), 0);
  EXPECT_EQ(list2_add_item(nullptr, "a", 0, 0), 0);
  EXPECT_EQ(list2_append_to_end(nullptr, "a", 0), 0);
  EXPECT_EQ(list2_copy_sorted(nullptr), nullptr);

  List2Ptr list = MakeList({"a"});
  EXPECT_EQ(list2_member(list.get(), nullptr), 0);
  EXPECT_EQ(list2_get_item_location(list.get(), nullptr), -1);
  EXPECT_EQ(list2_replace_data_location(list.get(), 0, nullptr, 1), 0);
  EXPECT_EQ(list2_replace_data_location(list.get(), 1, "b", 1), 0);
  EXPECT_EQ(list2_replace_data_location(list.get(), -1, "b", 1), 0);
  EXPECT_EQ(list2_add_item(list.get(), nullptr, 0, 1), 0);
  EXPECT_EQ(list2_add_item(list.get(), "b", 2, 1), 0);
  EXPECT_EQ(list2_add_item(list.get(), "b", -1, 1), 0);
  EXPECT_EQ(list2_append_to_end(list.get(), nullptr, 1), 0);
  EXPECT_EQ(ItemsOf(list.get()), (std::vector<Item>{{"a", 0}}));
}

}  // namespace
