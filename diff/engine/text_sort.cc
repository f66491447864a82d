#include "diff/engine/text_sort.h"

#include <algorithm>  // std::stable_sort, std::copy, std::min
#include <array>      // std::array of byte counts
#include <cstddef>    // std::size_t
#include <cstring>    // std::strcmp

namespace diff::engine {
namespace {

// Lists up to this long are sorted by comparisons alone.
constexpr std::size_t kShortList = 64;
// Parts of a long list below this size are finished by insertion.
constexpr std::size_t kInsertionBelow = 32;

struct Entry {
  const unsigned char* text;
  std::int64_t from;
};

int compare_from(const Entry& x, const Entry& y, std::size_t depth) {
  return std::strcmp(reinterpret_cast<const char*>(x.text + depth),
                     reinterpret_cast<const char*>(y.text + depth));
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

}  // namespace

void sort_texts_stably(std::span<const char* const> texts, std::vector<const char*>& sorted,
                       std::vector<std::int64_t>& from) {
  const std::size_t count = texts.size();
  from.resize(count);
  sorted.resize(count);
  if (count <= kShortList) {
    for (std::size_t i = 0; i < count; ++i) from[i] = static_cast<std::int64_t>(i);
    std::stable_sort(from.begin(), from.end(), [&texts](std::int64_t x, std::int64_t y) {
      return std::strcmp(texts[static_cast<std::size_t>(x)], texts[static_cast<std::size_t>(y)]) <
             0;
    });
    for (std::size_t i = 0; i < count; ++i) sorted[i] = texts[static_cast<std::size_t>(from[i])];
    return;
  }
  std::vector<Entry> entries(count);
  for (std::size_t i = 0; i < count; ++i) {
    entries[i] = {reinterpret_cast<const unsigned char*>(texts[i]), static_cast<std::int64_t>(i)};
  }
  std::vector<Entry> spare(count);
  radix_sort(entries.data(), spare.data(), count);
  for (std::size_t i = 0; i < count; ++i) {
    sorted[i] = reinterpret_cast<const char*>(entries[i].text);
    from[i] = entries[i].from;
  }
}

}  // namespace diff::engine
