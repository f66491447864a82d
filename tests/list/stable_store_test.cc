// The list library's storage for objects that never move.
#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <cstddef>  // std::size_t
#include <vector>   // std::vector

#include "hostlibs/list/stable_store.h"  // rovivar::StableStore

namespace {

struct Record {
  int number;
  double twice;
};

TEST(ListLibraryStableStoreTest, KeepsEveryObjectInPlaceAcrossManyBlocks) {
  rovivar::StableStore<Record> store;
  std::vector<Record*> places;
  for (int i = 0; i < 20000; ++i) places.push_back(store.Add(Record{i, 2.0 * i}));
  for (std::size_t i = 0; i < places.size(); ++i) {
    ASSERT_EQ(places[i]->number, static_cast<int>(i));
    ASSERT_EQ(places[i]->twice, 2.0 * static_cast<double>(i));
  }
  places[10]->number = -10;  // each object is its own
  EXPECT_EQ(places[11]->number, 11);
  EXPECT_EQ(places[9]->number, 9);
}

}  // namespace
