// list2: a handle-based list of texts with 64-bit data words. Each item owns
// a heap copy of its text, so a text stays put until its item is replaced.
// No exception leaves these functions; a failure gives the failure result.
#include <climits>      // INT_MAX
#include <cstddef>      // std::size_t
#include <cstdint>      // std::int64_t
#include <cstring>      // std::memcpy
#include <memory>       // std::unique_ptr, std::make_unique_for_overwrite
#include <string_view>  // std::string_view
#include <utility>      // std::move
#include <vector>       // std::vector

#include "diff/host/list_library.h"    // list2 and its functions
#include "hostlibs/list/text_index.h"  // rovivar::TextIndex
#include "hostlibs/list/text_order.h"  // rovivar::TextItem, rovivar::SortByText

struct list2_impl {
  struct Item {
    std::unique_ptr<char[]> text;
    std::size_t length;
    std::int64_t data;

    std::string_view view() const { return {text.get(), length}; }
  };

  std::vector<Item> items;
  rovivar::TextIndex index;  // slots are positions

  // Position of the first item holding `text`, or -1. Throws std::bad_alloc.
  int Locate(std::string_view text) {
    const auto text_at = [this](std::size_t position) { return items[position].view(); };
    if (index.stale()) index.Rebuild(items.size(), text_at);
    const std::size_t position = index.FindFirst(text, items.size(), text_at);
    return position == rovivar::TextIndex::kNotFound ? -1 : static_cast<int>(position);
  }
};

namespace {

using Item = list2_impl::Item;

// A heap copy of `text`. Throws std::bad_alloc.
Item MakeItem(std::string_view text, std::int64_t data) {
  auto copy = std::make_unique_for_overwrite<char[]>(text.size() + 1);
  if (!text.empty()) std::memcpy(copy.get(), text.data(), text.size());
  copy[text.size()] = '\0';
  return Item{std::move(copy), text.size(), data};
}

bool HasItemAt(list2 list, int position) {
  return list != nullptr && position >= 0 &&
         static_cast<std::size_t>(position) < list->items.size();
}

}  // namespace

extern "C" {

list2 list2_create(void) {
  try {
    return new list2_impl();
  } catch (...) {
    return nullptr;
  }
}

int list2_delete(list2 list) {
  if (list == nullptr) return 0;
  delete list;
  return 1;
}

int list2_length(list2 list) {
  if (list == nullptr) return 0;
  const std::size_t length = list->items.size();
  return length > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
}

const char* list2_get_item(list2 list, int position, std::int64_t* data) {
  if (!HasItemAt(list, position)) return nullptr;
  const Item& item = list->items[static_cast<std::size_t>(position)];
  if (data != nullptr) *data = item.data;
  return item.text.get();
}

int list2_member(list2 list, const char* text) {
  return list2_get_item_location(list, text) >= 0 ? 1 : 0;
}

int list2_get_item_location(list2 list, const char* text) {
  if (list == nullptr || text == nullptr) return -1;
  try {
    return list->Locate(text);
  } catch (...) {
    return -1;
  }
}

int list2_replace_data_location(list2 list, int position, const char* text, std::int64_t data) {
  if (!HasItemAt(list, position) || text == nullptr) return 0;
  const auto slot = static_cast<std::size_t>(position);
  Item& item = list->items[slot];
  if (text == item.text.get()) {  // the item's own text: no need to read it
    item.data = data;
    return 1;
  }
  const std::string_view new_text(text);
  // The same text (often the item's own) is kept as it is, index untouched.
  if (new_text == item.view()) {
    item.data = data;
    return 1;
  }
  try {
    Item replacement = MakeItem(new_text, data);  // copied before the old text goes
    list->index.Removed(item.view(), slot, /*storage_released=*/true);
    item = std::move(replacement);
    list->index.Added(item.view(), slot);
    return 1;
  } catch (...) {
    return 0;
  }
}

int list2_add_item(list2 list, const char* text, int position, std::int64_t data) {
  if (list == nullptr || text == nullptr || position < 0 ||
      static_cast<std::size_t>(position) > list->items.size()) {
    return 0;
  }
  try {
    const auto slot = static_cast<std::size_t>(position);
    if (slot == list->items.size()) {
      list->items.push_back(MakeItem(text, data));
      list->index.Added(list->items.back().view(), slot);
    } else {
      const auto where = list->items.begin() + static_cast<std::ptrdiff_t>(slot);
      list->items.insert(where, MakeItem(text, data));
      list->index.MarkStale();  // every later item has moved up one position
    }
    return 1;
  } catch (...) {
    return 0;
  }
}

int list2_append_to_end(list2 list, const char* text, std::int64_t data) {
  if (list == nullptr) return 0;
  return list2_add_item(list, text, list2_length(list), data);
}

list2 list2_copy_sorted(list2 list) {
  if (list == nullptr) return nullptr;
  try {
    std::vector<rovivar::TextItem> order;
    order.reserve(list->items.size());
    for (const Item& item : list->items) order.push_back({item.view(), item.data});
    rovivar::SortByText(order);
    auto sorted = std::make_unique<list2_impl>();
    sorted->items.reserve(order.size());
    for (const rovivar::TextItem& item : order)
      sorted->items.push_back(MakeItem(item.text, item.data));
    return sorted.release();
  } catch (...) {
    return nullptr;
  }
}

}  // extern "C"
