// The list library's open-addressing text map, checked against std::map.
#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <cstddef>      // std::size_t
#include <map>          // std::map, the model
#include <random>       // std::mt19937, std::uniform_int_distribution
#include <string>       // std::string
#include <string_view>  // std::string_view
#include <vector>       // std::vector

#include "hostlibs/list/flat_text_map.h"  // rovivar::FlatTextMap

namespace {

using Map = rovivar::FlatTextMap<int>;

TEST(ListLibraryFlatTextMapTest, FindsWhatWasAddedAndKeepsTheFirstValue) {
  Map map;
  EXPECT_EQ(map.Find("a"), nullptr);  // an empty map has no array yet
  const std::string texts[] = {"alpha", "beta", "alpha"};
  const auto [first, added] = map.TryEmplace(texts[0], 1);
  ASSERT_TRUE(added);
  EXPECT_EQ(first->value, 1);
  EXPECT_TRUE(map.TryEmplace(texts[1], 2).second);
  const auto [again, added_again] = map.TryEmplace(texts[2], 3);
  EXPECT_FALSE(added_again);
  EXPECT_EQ(again->value, 1);
  // The key views the text it was added with.
  EXPECT_EQ(again->key.data(), texts[0].data());
  EXPECT_EQ(map.size(), 2u);
  ASSERT_NE(map.Find("beta"), nullptr);
  EXPECT_EQ(map.Find("beta")->value, 2);
  EXPECT_EQ(map.Find("alph"), nullptr);
  EXPECT_EQ(map.Find("alphas"), nullptr);
}

TEST(ListLibraryFlatTextMapTest, TakesTheEmptyTextAndAViewWithoutDataAsOneKey) {
  Map map;
  EXPECT_TRUE(map.TryEmplace(std::string_view(), 7).second);
  EXPECT_FALSE(map.TryEmplace("", 8).second);
  ASSERT_NE(map.Find(""), nullptr);
  EXPECT_EQ(map.Find(std::string_view())->value, 7);
  EXPECT_EQ(map.size(), 1u);
  map.Erase(map.Find(""));
  EXPECT_EQ(map.size(), 0u);
  EXPECT_EQ(map.Find(""), nullptr);
}

TEST(ListLibraryFlatTextMapTest, ResetEmptiesTheMap) {
  Map map;
  const std::string text = "kept?";
  map.TryEmplace(text, 1);
  map.Reset(1000);
  EXPECT_EQ(map.size(), 0u);
  EXPECT_EQ(map.Find(text), nullptr);
  EXPECT_TRUE(map.TryEmplace(text, 2).second);
  EXPECT_EQ(map.Find(text)->value, 2);
}

TEST(ListLibraryFlatTextMapTest, KnownHashesFileKeysLikeTheMapsOwn) {
  Map map;
  const std::string text = "hashed ahead";
  const std::size_t hash = Map::HashOf(text);
  map.Prefetch(hash);  // harmless on a map without an array
  EXPECT_TRUE(map.TryEmplace(text, hash, 4).second);
  map.Prefetch(hash);
  EXPECT_EQ(map.Find(text)->value, 4);
  EXPECT_EQ(map.Find(text, hash)->value, 4);
  EXPECT_EQ(Map::HashOf(std::string_view()), Map::HashOf(""));
}

// Adding and erasing many keys: erasing moves probe runs back, which must
// leave every remaining key reachable and no erased key findable.
TEST(ListLibraryFlatTextMapTest, MatchesAModelUnderRandomAddsAndErasures) {
  std::vector<std::string> pool;
  for (int i = 0; i < 3000; ++i) pool.push_back("key" + std::to_string(i * 7919 % 3001));
  std::mt19937 random(99);
  std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
  Map map;
  std::map<std::string, int> model;
  for (int step = 0; step < 40000; ++step) {
    const std::string& key = pool[pick(random)];
    if (random() % 3 != 0) {
      const auto [entry, added] = map.TryEmplace(key, step);
      const auto [it, model_added] = model.emplace(key, step);
      ASSERT_EQ(added, model_added) << "step " << step;
      ASSERT_EQ(entry->value, it->second);
    } else if (Map::Entry* entry = map.Find(key)) {
      ASSERT_EQ(model.erase(key), 1u) << "step " << step;
      map.Erase(entry);
    } else {
      ASSERT_EQ(model.count(key), 0u) << "step " << step;
    }
    ASSERT_EQ(map.size(), model.size());
  }
  for (const std::string& key : pool) {
    const Map::Entry* entry = map.Find(key);
    const auto it = model.find(key);
    ASSERT_EQ(entry != nullptr, it != model.end()) << key;
    if (entry != nullptr) {
      EXPECT_EQ(entry->value, it->second) << key;
    }
  }
}

// Growing from empty and from a reserved size ends in the same contents.
TEST(ListLibraryFlatTextMapTest, GrowsPastItsReservedSize) {
  std::vector<std::string> keys;
  for (int i = 0; i < 5000; ++i) keys.push_back(std::to_string(i));
  Map grown;
  Map reserved;
  reserved.Reset(100);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    grown.TryEmplace(keys[i], static_cast<int>(i));
    reserved.TryEmplace(keys[i], static_cast<int>(i));
  }
  EXPECT_EQ(grown.size(), keys.size());
  EXPECT_EQ(reserved.size(), keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    ASSERT_NE(grown.Find(keys[i]), nullptr) << keys[i];
    EXPECT_EQ(grown.Find(keys[i])->value, static_cast<int>(i));
    ASSERT_NE(reserved.Find(keys[i]), nullptr) << keys[i];
    EXPECT_EQ(reserved.Find(keys[i])->value, static_cast<int>(i));
  }
}

}  // namespace
