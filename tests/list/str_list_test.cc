#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <cstdint>  // std::int64_t
#include <cstring>  // std::memcmp, std::memset
#include <random>   // std::mt19937, std::uniform_int_distribution
#include <string>   // std::string, std::to_string
#include <utility>  // std::pair
#include <vector>   // std::vector

#include "diff/host/list_library.h"  // CStrList, CListNode

namespace {

using Item = std::pair<std::string, std::int64_t>;

void Fill(CStrList& list, const std::vector<std::string>& texts) {
  std::int64_t data = 0;
  for (const std::string& text : texts) list.Append(text.c_str(), data++);
}

std::vector<Item> ItemsOf(CStrList& list) {
  std::vector<Item> items;
  for (int i = 0; i < list.GetLength(); ++i) {
    std::int64_t data = -1;
    const char* text = list.GetTextAt(i, &data);
    items.emplace_back(text != nullptr ? text : "<null>", data);
  }
  return items;
}

int IndexOf(CStrList& list, const char* text) {
  int position = -2;
  const int found = list.GetIndex(text, &position);
  EXPECT_EQ(found, position >= 0 ? 1 : 0);
  return position;
}

TEST(ListLibraryStrListTest, NodesCarryTextAndDataInOrder) {
  CStrList list;
  EXPECT_EQ(list.GetLength(), 0);
  Fill(list, {"one", "two", "three"});
  EXPECT_EQ(ItemsOf(list), (std::vector<Item>{{"one", 0}, {"two", 1}, {"three", 2}}));

  CListNode* node = list.GetNodeAt(1);
  ASSERT_NE(node, nullptr);
  EXPECT_STREQ(node->text, "two");
  node->data = 42;
  std::int64_t data = 0;
  EXPECT_STREQ(list.GetTextAt(1, &data), "two");
  EXPECT_EQ(data, 42);
  EXPECT_STREQ(list.GetTextAt(2), "three");
}

TEST(ListLibraryStrListTest, CopySortedReplacesTheListWithSortedTextsAndZeroData) {
  CStrList source;
  Fill(source, {"b", "\x80z", "a", "B", "b", "", "ab", "\xff"});
  CStrList sorted;
  Fill(sorted, {"left over"});
  EXPECT_EQ(sorted.CopySorted(&source), 1);
  EXPECT_EQ(
      ItemsOf(sorted),
      (std::vector<Item>{
          {"", 0}, {"B", 0}, {"a", 0}, {"ab", 0}, {"b", 0}, {"b", 0}, {"\x80z", 0}, {"\xff", 0}}));
  EXPECT_EQ(sorted.IsMember("left over"), 0);
  EXPECT_EQ(IndexOf(sorted, "b"), 4);
  EXPECT_EQ(ItemsOf(source)[0], (Item{"b", 0}));  // the source is untouched

  // A list may sort itself.
  CStrList self;
  Fill(self, {"z", "m", "a"});
  EXPECT_EQ(self.CopySorted(&self), 1);
  EXPECT_EQ(ItemsOf(self), (std::vector<Item>{{"a", 0}, {"m", 0}, {"z", 0}}));
}

TEST(ListLibraryStrListTest, CopySortedKeepsTheOrderOfEqualTexts) {
  CStrList source;
  Fill(source, {"k", "k", "j", "k"});
  // Tell the three "k" nodes apart by their text pointers' source order.
  std::vector<const char*> source_k;
  for (int i = 0; i < source.GetLength(); ++i) {
    if (std::string(source.GetTextAt(i)) == "k") source_k.push_back(source.GetTextAt(i));
  }
  CStrList sorted;
  sorted.CopySorted(&source);
  EXPECT_EQ(ItemsOf(sorted), (std::vector<Item>{{"j", 0}, {"k", 0}, {"k", 0}, {"k", 0}}));
  // Texts are the list's own copies, not the source's.
  for (int i = 1; i < 4; ++i) EXPECT_NE(sorted.GetTextAt(i), source_k[i - 1]);
}

TEST(ListLibraryStrListTest, LookupsSeeTextsAssignedFromCopyText) {
  CStrList list;
  Fill(list, {"a", "b", "c", "d"});
  EXPECT_EQ(IndexOf(list, "c"), 2);  // the index is built

  CListNode* node = list.GetNodeAt(2);
  node->text = list.CopyText("new");
  EXPECT_EQ(list.Find("new"), node);
  EXPECT_EQ(IndexOf(list, "new"), 2);
  EXPECT_EQ(list.IsMember("c"), 0);
  EXPECT_EQ(list.Find("c"), nullptr);

  // A node found by text, looked up again, then changed to a text another
  // item holds further on.
  CListNode* found = list.Find("a");
  EXPECT_EQ(IndexOf(list, "a"), 0);
  found->text = list.CopyText("d");
  EXPECT_EQ(IndexOf(list, "d"), 0);
  EXPECT_EQ(list.IsMember("a"), 0);

  // A node handed out before a lookup and changed after it.
  CListNode* held = list.GetNodeAt(1);
  EXPECT_EQ(list.IsMember("b"), 1);
  held->text = list.CopyText("held");
  EXPECT_EQ(list.Find("held"), held);
  EXPECT_EQ(list.IsMember("b"), 0);
  EXPECT_EQ(ItemsOf(list), (std::vector<Item>{{"d", 0}, {"held", 1}, {"new", 2}, {"d", 3}}));
}

TEST(ListLibraryStrListTest, CopiesStayValidUntilTheListIsDestroyed) {
  CStrList list;
  Fill(list, {"a"});
  char* copy = list.CopyText("kept");
  list.GetNodeAt(0)->text = copy;
  list.GetNodeAt(0)->text = list.CopyText("replaced");  // the caller never frees `copy`
  list.Clear();
  EXPECT_STREQ(copy, "kept");
  EXPECT_EQ(list.GetLength(), 0);
  EXPECT_EQ(list.IsMember("replaced"), 0);
  EXPECT_EQ(list.CopyText(nullptr), nullptr);
}

TEST(ListLibraryStrListTest, DuplicatesAnswerWithTheFirstItem) {
  CStrList list;
  Fill(list, {"x", "dup", "y", "dup"});
  CListNode* first = list.Find("dup");
  EXPECT_EQ(first, list.GetNodeAt(1));
  EXPECT_EQ(IndexOf(list, "dup"), 1);
  EXPECT_EQ(list.Remove(first), 1);
  EXPECT_EQ(list.Find("dup"), list.GetNodeAt(2));
  EXPECT_EQ(IndexOf(list, "dup"), 2);
  EXPECT_EQ(IndexOf(list, "y"), 1);
}

TEST(ListLibraryStrListTest, RemovedNodesStayReadableAndTheRestWalksInOrder) {
  CStrList list;
  std::vector<std::string> texts;
  for (int i = 0; i < 1000; ++i) texts.push_back("item" + std::to_string(i));
  Fill(list, texts);

  std::vector<CListNode*> removed;
  for (int i = 0; i < 1000; ++i) {
    if (i % 3 == 0) continue;
    CListNode* node = list.Find(texts[static_cast<std::size_t>(i)].c_str());
    ASSERT_NE(node, nullptr) << i;
    ASSERT_EQ(list.Remove(node), 1);
    removed.push_back(node);
  }
  ASSERT_EQ(list.GetLength(), 334);
  for (int position = 0; position < 334; ++position) {
    std::int64_t data = -1;
    ASSERT_EQ(std::string(list.GetTextAt(position, &data)), texts[position * 3u]);
    ASSERT_EQ(data, position * 3);
  }
  EXPECT_EQ(IndexOf(list, "item999"), 333);
  EXPECT_EQ(list.IsMember("item1"), 0);

  EXPECT_STREQ(removed.front()->text, "item1");
  EXPECT_EQ(removed.front()->data, 1);
  EXPECT_EQ(list.Remove(removed.front()), 0);  // no longer an item

  CStrList other;
  Fill(other, {"item0"});
  EXPECT_EQ(list.Remove(other.GetNodeAt(0)), 0);
  EXPECT_EQ(other.GetLength(), 1);
  EXPECT_EQ(list.GetLength(), 334);
}

TEST(ListLibraryStrListTest, RemovingFromTheFrontWhileWalkingKeepsPositionsRight) {
  CStrList list;
  std::vector<std::string> texts;
  for (int i = 0; i < 200; ++i) texts.push_back("t" + std::to_string(i));
  Fill(list, texts);
  for (int i = 0; i < 200; ++i) {
    CListNode* node = list.GetNodeAt(0);
    ASSERT_NE(node, nullptr);
    ASSERT_EQ(std::string(node->text), texts[static_cast<std::size_t>(i)]);
    const int middle = (199 - i) / 2;
    ASSERT_EQ(std::string(list.GetTextAt(middle)), texts[static_cast<std::size_t>(i + middle)]);
    ASSERT_STREQ(list.GetTextAt(199 - i), texts.back().c_str());
    ASSERT_EQ(list.Remove(node), 1);
  }
  EXPECT_EQ(list.GetLength(), 0);
  EXPECT_EQ(list.GetNodeAt(0), nullptr);
}

// Random changes checked against a plain vector after every step.
TEST(ListLibraryStrListTest, MatchesAPlainModelUnderRandomChanges) {
  const std::vector<std::string> pool = {"a", "b", "c", "d", "", "100001", "\xc3\xa9"};
  std::mt19937 random(2024);
  std::uniform_int_distribution<int> pick_text(0, static_cast<int>(pool.size()) - 1);
  CStrList list;
  std::vector<Item> model;
  // A long list, so that removals leave gaps that are not compacted at once.
  for (int i = 0; i < 300; ++i) {
    const std::string& text = pool[static_cast<std::size_t>(pick_text(random))];
    list.Append(text.c_str(), -i);
    model.emplace_back(text, -i);
  }
  for (int step = 0; step < 4000; ++step) {
    const std::string& text = pool[static_cast<std::size_t>(pick_text(random))];
    const int length = static_cast<int>(model.size());
    const int position = length > 0 ? std::uniform_int_distribution<int>(0, length - 1)(random) : 0;
    switch (std::uniform_int_distribution<int>(0, 5)(random)) {
      case 0:
      case 1:
        ASSERT_EQ(list.Append(text.c_str(), step), 1);
        model.emplace_back(text, step);
        break;
      case 2:  // assign through a node taken by position
        if (length == 0) break;
        list.GetNodeAt(position)->text = list.CopyText(text.c_str());
        model[static_cast<std::size_t>(position)].first = text;
        break;
      case 3: {  // assign through a node found by text
        CListNode* node = list.Find(text.c_str());
        if (node == nullptr) break;
        const std::string& other = pool[static_cast<std::size_t>(pick_text(random))];
        node->text = list.CopyText(other.c_str());
        const int at = IndexOf(list, other.c_str());
        ASSERT_GE(at, 0);
        for (Item& item : model) {
          if (item.first == text) {
            item.first = other;
            break;
          }
        }
        break;
      }
      case 4:  // remove a node taken by position
        if (length == 0) break;
        ASSERT_EQ(list.Remove(list.GetNodeAt(position)), 1);
        model.erase(model.begin() + position);
        break;
      default: {  // remove a node found by text
        CListNode* node = list.Find(text.c_str());
        if (node == nullptr) break;
        ASSERT_EQ(list.Remove(node), 1);
        for (auto it = model.begin(); it != model.end(); ++it) {
          if (it->first == text) {
            model.erase(it);
            break;
          }
        }
        break;
      }
    }
    ASSERT_EQ(list.GetLength(), static_cast<int>(model.size()));
    for (const std::string& probe : pool) {
      int expected = -1;
      for (std::size_t i = 0; i < model.size() && expected < 0; ++i) {
        if (model[i].first == probe) expected = static_cast<int>(i);
      }
      ASSERT_EQ(IndexOf(list, probe.c_str()), expected)
          << "step " << step << " probe '" << probe << "'";
      ASSERT_EQ(list.IsMember(probe.c_str()), expected >= 0 ? 1 : 0);
    }
  }
  EXPECT_EQ(ItemsOf(list), model);
}

TEST(ListLibraryStrListTest, AssignmentCopiesTextsDataAndOrder) {
  CStrList source;
  Fill(source, {"b", "a", "b"});
  source.GetNodeAt(1)->data = 77;
  CStrList copy(source);
  CStrList assigned;
  Fill(assigned, {"old"});
  char* old_copy = assigned.CopyText("still valid");
  assigned = source;
  const std::vector<Item> expected = {{"b", 0}, {"a", 77}, {"b", 2}};
  EXPECT_EQ(ItemsOf(copy), expected);
  EXPECT_EQ(ItemsOf(assigned), expected);
  EXPECT_STREQ(old_copy, "still valid");
  EXPECT_EQ(assigned.IsMember("old"), 0);
  EXPECT_EQ(IndexOf(assigned, "a"), 1);

  source.GetNodeAt(0)->text = source.CopyText("changed");
  EXPECT_STREQ(copy.GetTextAt(0), "b");
  EXPECT_NE(assigned.GetTextAt(1), source.GetTextAt(1));  // own copies

  const CStrList& same = assigned;
  assigned = same;
  EXPECT_EQ(ItemsOf(assigned), expected);
}

TEST(ListLibraryStrListTest, JoinsTextsAndCutsTheJoinToTheBuffer) {
  CStrList list;
  Fill(list, {"one", "two", "three"});
  EXPECT_EQ(list.GetTextListLen(", "), 15);
  EXPECT_EQ(list.GetTextListLen(nullptr), 11);

  char buffer[32];
  EXPECT_EQ(list.GetTextList(buffer, sizeof buffer, ", "), 15);
  EXPECT_STREQ(buffer, "one, two, three");

  char cut[8];
  std::memset(cut, 'X', sizeof cut);
  EXPECT_EQ(list.GetTextList(cut, 7, "\n"), 6);
  EXPECT_EQ(std::memcmp(cut, "one\ntw\0X", 8), 0);  // 6 bytes, the NUL, the 8th untouched

  EXPECT_EQ(list.GetTextList(buffer, 16, ", "), 15);  // exactly fits
  EXPECT_STREQ(buffer, "one, two, three");
  EXPECT_EQ(list.GetTextList(buffer, 1, ", "), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(list.GetTextList(buffer, 0, ", "), 0);
  EXPECT_EQ(list.GetTextList(nullptr, 10, ", "), 0);

  CStrList empty;
  EXPECT_EQ(empty.GetTextListLen(", "), 0);
  buffer[0] = 'X';
  EXPECT_EQ(empty.GetTextList(buffer, sizeof buffer, ", "), 0);
  EXPECT_STREQ(buffer, "");
}

TEST(ListLibraryStrListTest, RefusesNullAndInvalidArguments) {
  CStrList list;
  Fill(list, {"a"});
  EXPECT_EQ(list.Find(nullptr), nullptr);
  int position = 5;
  EXPECT_EQ(list.GetIndex(nullptr, &position), 0);
  EXPECT_EQ(position, -1);
  EXPECT_EQ(list.GetIndex("a", nullptr), 1);
  EXPECT_EQ(list.GetIndex("b", &position), 0);
  EXPECT_EQ(position, -1);
  EXPECT_EQ(list.IsMember(nullptr), 0);
  EXPECT_EQ(list.Append(nullptr), 0);
  EXPECT_EQ(list.CopySorted(nullptr), 0);
  EXPECT_EQ(list.Remove(nullptr), 0);
  EXPECT_EQ(list.GetNodeAt(-1), nullptr);
  EXPECT_EQ(list.GetNodeAt(1), nullptr);
  std::int64_t data = 9;
  EXPECT_EQ(list.GetTextAt(1, &data), nullptr);
  EXPECT_EQ(list.GetTextAt(-1, &data), nullptr);
  EXPECT_EQ(data, 9);
  EXPECT_EQ(ItemsOf(list), (std::vector<Item>{{"a", 0}}));
}

}  // namespace
