// list2: a handle-based list of texts with 64-bit data words. Texts that
// items get when they are added (or sorted into a new list) are carved out of
// the list's arena, in the order they come; a replacement text gets a heap
// copy of its own, freed when it is replaced in turn. A text thus stays put
// until its item is replaced, and the arena holds at most one text per item
// ever added, since items are never taken out. Items stay small (a text, its
// length and the data word) and lie in chunks, so that a list of a million
// items grows without copying itself over and over.
// No exception leaves these functions; a failure gives the failure result.
#include <climits>        // INT_MAX
#include <cstddef>        // std::size_t
#include <cstdint>        // std::int64_t
#include <cstring>        // std::memcpy
#include <memory>         // std::unique_ptr, std::make_unique, std::make_unique_for_overwrite
#include <span>           // std::span of the texts to sort
#include <string_view>    // std::string_view
#include <unordered_map>  // std::unordered_map
#include <utility>        // std::move

#include "diff/host/list_library.h"        // list2 and its functions
#include "hostlibs/list/chunked_vector.h"  // rovivar::ChunkedVector
#include "hostlibs/list/text_arena.h"      // rovivar::TextArena
#include "hostlibs/list/text_index.h"      // rovivar::TextIndex
#include "hostlibs/list/text_order.h"      // rovivar::SortedTexts, rovivar::kSortedWalkAhead

struct list2_impl {
  struct Item {
    const char* text;  // NUL-terminated, in `texts` or in `replaced_texts`
    std::size_t length;
    std::int64_t data;

    std::string_view view() const { return {text, length}; }
  };

  rovivar::ChunkedVector<Item> items;
  rovivar::TextArena texts;
  // The heap copies that replacements made, by address.
  std::unordered_map<const char*, std::unique_ptr<char[]>> replaced_texts;
  rovivar::TextIndex index;  // slots are positions

  // A new item holding a copy of `text` in the arena. Throws std::bad_alloc.
  Item MakeItem(std::string_view text, std::int64_t data) {
    return Item{texts.Copy(text), text.size(), data};
  }

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
std::unique_ptr<char[]> HeapCopy(std::string_view text) {
  auto copy = std::make_unique_for_overwrite<char[]>(text.size() + 1);
  if (!text.empty()) std::memcpy(copy.get(), text.data(), text.size());
  copy[text.size()] = '\0';
  return copy;
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
  return item.text;
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
  if (text == item.text) {  // the item's own text: no need to read it
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
    std::unique_ptr<char[]> copy = HeapCopy(new_text);  // made before the old text goes
    const char* new_address = copy.get();
    list->replaced_texts.emplace(new_address, std::move(copy));
    const auto old_copy = list->replaced_texts.find(item.text);
    // An old text in the arena stays where it is, so the index may go on
    // reading it.
    const bool released = old_copy != list->replaced_texts.end();
    list->index.Removed(item.view(), slot, /*storage_released=*/released);
    if (released) list->replaced_texts.erase(old_copy);
    item = Item{new_address, new_text.size(), data};
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
      list->items.push_back(list->MakeItem(text, data));
      list->index.Added(list->items[slot].view(), slot);
    } else {
      list->items.insert(slot, list->MakeItem(text, data));
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
    const rovivar::ChunkedVector<Item>& items = list->items;
    const std::size_t count = items.size();
    const auto texts = std::make_unique_for_overwrite<std::string_view[]>(count);
    const auto data = std::make_unique_for_overwrite<std::int64_t[]>(count);
    for (std::size_t i = 0; i < count; ++i) {
      texts[i] = items[i].view();
      data[i] = items[i].data;
    }
    rovivar::SortedTexts sorted_texts(std::span<const std::string_view>(texts.get(), count));
    // In sorted order the data words, and the texts that the sort does not
    // make from its keys, lie all over memory: each is asked for ahead.
    constexpr std::size_t kAhead = rovivar::kSortedWalkAhead;
    auto sorted = std::make_unique<list2_impl>();
    for (std::size_t i = 0; i < count; ++i) {
      if (i + kAhead < count) {
        const std::size_t ahead = sorted_texts.position(i + kAhead);
        __builtin_prefetch(&data[ahead]);
        if (sorted_texts.reads_input(i + kAhead)) __builtin_prefetch(texts[ahead].data());
      }
      const std::int64_t item_data = data[sorted_texts.position(i)];
      sorted->items.push_back(sorted->MakeItem(sorted_texts.text(i), item_data));
    }
    return sorted.release();
  } catch (...) {
    return nullptr;
  }
}

}  // extern "C"
