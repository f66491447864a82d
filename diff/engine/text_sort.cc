#include "diff/engine/text_sort.h"

#include <algorithm>  // std::copy
#include <array>      // std::array of byte counts and of a short list's entries
#include <cstddef>    // std::size_t
#include <cstring>    // std::strcmp
#include <numeric>    // std::iota, the input indices of a list in order

namespace diff::engine {
namespace {

// Lists, and parts of a long list, below this size are sorted by insertion.
constexpr std::size_t kInsertionBelow = 32;

struct Entry {
  const unsigned char* text;
  std::int64_t from;
};

// The first bytes are compared in place: they tell most slot names apart
// without a call.
int compare_from(const Entry& x, const Entry& y, std::size_t depth) {
  const unsigned char* a = x.text + depth;
  const unsigned char* b = y.text + depth;
  if (*a != *b || *a == '\0') return int{*a} - int{*b};
  return std::strcmp(reinterpret_cast<const char*>(a + 1), reinterpret_cast<const char*>(b + 1));
}

// Stable: an entry moves only past greater ones.
void insertion_sort(Entry* entries, std::size_t count, std::size_t depth) {
  for (std::size_t i = 1; i < count; ++i) {
    const Entry entry = entries[i];
    std::size_t j = i;
    for (; j > 0 && compare_from(entries[j - 1], entry, depth) > 0; --j) entries[j] = entries[j - 1];
    entries[j] = entry;
  }
}

// How many bytes from `depth` on every entry shares with the first, up to
// the first's end.
std::size_t common_prefix(const Entry* entries, std::size_t count, std::size_t depth) {
  const unsigned char* first = entries[0].text + depth;
  std::size_t common = std::strlen(reinterpret_cast<const char*>(first));
  for (std::size_t i = 1; i < count && common > 0; ++i) {
    const unsigned char* text = entries[i].text + depth;
    std::size_t same = 0;
    while (same < common && text[same] == first[same]) ++same;
    common = same;
  }
  return common;
}

// Most significant byte first: each part of the list that shares its first
// `depth` bytes is spread by its next byte, in input order within a byte,
// and the parts of each byte but the end of text (texts all equal) are
// sorted in turn. A work list instead of recursion: texts such as "a",
// "aa", "aaa", ... would nest as deep as the list is long.
void radix_sort(Entry* entries, Entry* spare, std::size_t count) {
  struct Part {
    std::size_t start;
    std::size_t count;
    std::size_t depth;
  };
  std::vector<Part> pending{{0, count, 0}};
  while (!pending.empty()) {
    const Part part = pending.back();
    pending.pop_back();
    Entry* first = entries + part.start;
    if (part.count < kInsertionBelow) {
      insertion_sort(first, part.count, part.depth);
      continue;
    }
    // Bytes that every text shares decide nothing: skip them in one pass.
    const std::size_t depth = part.depth + common_prefix(first, part.count, part.depth);
    std::array<std::size_t, 256> next{};
    for (std::size_t i = 0; i < part.count; ++i) ++next[first[i].text[depth]];
    std::array<std::size_t, 256> sizes = next;
    std::size_t start = 0;
    for (std::size_t& slot : next) {
      const std::size_t size = slot;
      slot = start;
      start += size;
    }
    Entry* out = spare + part.start;
    for (std::size_t i = 0; i < part.count; ++i) out[next[first[i].text[depth]]++] = first[i];
    std::copy(out, out + part.count, first);
    // Byte 0 ends the texts of its part: they are equal, in input order.
    for (std::size_t byte = 1; byte < sizes.size(); ++byte) {
      if (sizes[byte] > 1) {
        pending.push_back({part.start + next[byte] - sizes[byte], sizes[byte], depth + 1});
      }
    }
  }
}

// Whether no text is greater than the one after it.
bool in_order(std::span<const char* const> texts) {
  for (std::size_t i = 1; i < texts.size(); ++i) {
    if (std::strcmp(texts[i - 1], texts[i]) > 0) return false;
  }
  return true;
}

}  // namespace

void sort_texts_stably(std::span<const char* const> texts, std::vector<const char*>& sorted,
                       std::vector<std::int64_t>& from) {
  const std::size_t count = texts.size();
  from.resize(count);
  sorted.resize(count);
  // Object files list their objects in creation order, most often the name
  // order: a list in order already is its own stable sort, found with one
  // comparison per text instead of a pass per byte and two copies.
  if (count >= kInsertionBelow && in_order(texts)) {
    std::copy(texts.begin(), texts.end(), sorted.begin());
    std::iota(from.begin(), from.end(), std::int64_t{0});
    return;
  }
  // An object's slots, a dozen or so, are sorted by insertion on the stack:
  // nothing to allocate, and few comparisons for so few texts.
  const bool few_texts = count < kInsertionBelow;
  std::array<Entry, kInsertionBelow> few;
  std::vector<Entry> many(few_texts ? 0 : count);
  Entry* entries = few_texts ? few.data() : many.data();
  for (std::size_t i = 0; i < count; ++i) {
    entries[i] = {reinterpret_cast<const unsigned char*>(texts[i]), static_cast<std::int64_t>(i)};
  }
  if (few_texts) {
    insertion_sort(entries, count, 0);
  } else {
    std::vector<Entry> spare(count);
    radix_sort(entries, spare.data(), count);
  }
  for (std::size_t i = 0; i < count; ++i) {
    sorted[i] = reinterpret_cast<const char*>(entries[i].text);
    from[i] = entries[i].from;
  }
}

}  // namespace diff::engine
