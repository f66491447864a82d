// Sorting without reading the texts over and over: each item gets a sort key,
// the 8 bytes that follow the longest prefix all the texts share, packed
// big-endian so that comparing keys as integers compares those bytes in order.
// A text that ends within its key is padded with zero bytes; texts hold no
// NUL bytes, so the padding sorts it before every longer text with the same
// start. Keys are ordered by a stable radix sort, one pass per key byte in
// which the keys differ, and only items with equal keys whose texts go on past
// the key are compared as texts. Texts that arrive in key order skip the
// radix sort. A text that ends within its key is the shared prefix followed
// by the key's bytes up to the padding, so walking the order can make it
// from the key instead of reading it from the input.
#include "hostlibs/list/text_order.h"

#include <algorithm>  // std::is_sorted, std::min, std::stable_sort
#include <array>      // std::array
#include <bit>        // std::countr_zero
#include <cstddef>    // std::size_t
#include <cstdint>    // std::uint64_t
#include <cstring>    // std::memcpy, std::memcmp
#include <memory>     // std::make_unique_for_overwrite, std::unique_ptr
#include <span>       // std::span
#include <utility>    // std::swap

namespace rovivar {
namespace {

using Texts = std::span<const std::string_view>;

constexpr std::size_t kKeyBytes = sizeof(std::uint64_t);
// Below this many items a comparison sort of the keys beats the radix sort,
// whose passes cost 256 counters each whatever the item count.
constexpr std::size_t kRadixSortThreshold = 256;
// From this many records on (a megabyte of them) the radix sort splits the
// records into parts before its other passes.
constexpr std::size_t kSplitThreshold = 65536;

using SortRecord = SortedTexts::Record;

// Length of the longest prefix that every text shares.
std::size_t CommonPrefixLength(Texts texts) {
  const std::string_view first = texts.front();
  std::size_t length = first.size();
  for (const std::string_view text : texts) {
    if (length == 0) break;
    length = std::min(length, text.size());
    if (std::memcmp(first.data(), text.data(), length) == 0) continue;
    std::size_t same = 0;
    while (first[same] == text[same]) ++same;
    length = same;
  }
  return length;
}

// The kKeyBytes bytes of `text` from `offset` on, zero-padded, big-endian.
std::uint64_t KeyAt(std::string_view text, std::size_t offset) {
  unsigned char bytes[kKeyBytes] = {};
  if (offset < text.size()) {
    std::memcpy(bytes, text.data() + offset, std::min(kKeyBytes, text.size() - offset));
  }
  std::uint64_t key = 0;
  for (const unsigned char byte : bytes) key = key << 8 | byte;
  return key;
}

// Byte-wise order of what follows the first `offset` bytes of two texts.
bool TailLess(std::string_view a, std::string_view b, std::size_t offset) {
  return a.substr(std::min(offset, a.size())) < b.substr(std::min(offset, b.size()));
}

// Moves `count` records from `from` to `to`, stably ordered by the key byte
// at `shift`.
void ScatterByByte(const SortRecord* from, SortRecord* to, std::size_t count, unsigned shift) {
  std::array<std::size_t, 256> next{};
  for (std::size_t i = 0; i < count; ++i) ++next[(from[i].key >> shift) & 0xFF];
  std::size_t start = 0;
  for (std::size_t& slot : next) {
    const std::size_t size = slot;
    slot = start;
    start += size;
  }
  for (std::size_t i = 0; i < count; ++i) to[next[(from[i].key >> shift) & 0xFF]++] = from[i];
}

// Stable least-significant-byte-first radix sort of `count` records by the
// key bytes at `shifts` (least significant first), with `spare` as the second
// array. Returns the array that holds the result, `records` or `spare`.
SortRecord* LsdSort(SortRecord* records, SortRecord* spare, std::size_t count,
                    std::span<const unsigned> shifts) {
  for (const unsigned shift : shifts) {
    ScatterByByte(records, spare, count, shift);
    std::swap(records, spare);
  }
  return records;
}

// Stable radix sort of `count` records by key. Returns the array that holds
// the result, `records` or `spare`. Only key bytes that differ between records
// take a pass. A large array is first split by its most significant such
// byte, so that the passes over the other bytes run within parts that fit
// in the processor's cache.
SortRecord* RadixSortByKey(SortRecord* records, SortRecord* spare, std::size_t count) {
  std::uint64_t differing = 0;  // bits in which some key differs from the first
  for (std::size_t i = 0; i < count; ++i) differing |= records[i].key ^ records[0].key;
  std::array<unsigned, kKeyBytes> shifts{};  // of the differing bytes, least significant first
  std::size_t passes = 0;
  for (unsigned shift = 0; shift < 64; shift += 8) {
    if (((differing >> shift) & 0xFF) != 0) shifts[passes++] = shift;
  }
  if (count < kSplitThreshold || passes < 2) {
    return LsdSort(records, spare, count, std::span(shifts.data(), passes));
  }
  const unsigned top = shifts[passes - 1];
  ScatterByByte(records, spare, count, top);
  const std::span<const unsigned> rest(shifts.data(), passes - 1);
  SortRecord* result = nullptr;
  for (std::size_t start = 0; start < count;) {
    const std::uint64_t part = (spare[start].key >> top) & 0xFF;
    std::size_t end = start + 1;
    while (end < count && ((spare[end].key >> top) & 0xFF) == part) ++end;
    // Every part takes the same number of passes, so all end in one array.
    result = LsdSort(spare + start, records + start, end - start, rest) - start;
    start = end;
  }
  return result;
}

// Orders each run of equal keys by the texts past `offset`, keeping the order
// of equal texts.
void OrderEqualKeys(SortRecord* records, std::size_t count, Texts texts, std::size_t offset) {
  const auto tail_less = [texts, offset](const SortRecord& a, const SortRecord& b) {
    return TailLess(texts[a.position], texts[b.position], offset);
  };
  for (std::size_t start = 0; start < count;) {
    std::size_t end = start + 1;
    while (end < count && records[end].key == records[start].key) ++end;
    if (end - start > 1) std::stable_sort(records + start, records + end, tail_less);
    start = end;
  }
}

}  // namespace

SortedTexts::SortedTexts(Texts texts) : texts_(texts) {
  const std::size_t count = texts.size();
  if (count == 0) return;
  key_start_ = CommonPrefixLength(texts);
  const std::size_t key_end = key_start_ + kKeyBytes;
  records_ = std::make_unique_for_overwrite<SortRecord[]>(count);
  for (std::size_t i = 0; i < count; ++i) {
    records_[i] = SortRecord{KeyAt(texts[i], key_start_), i};
    texts_outrun_keys_ = texts_outrun_keys_ || texts[i].size() > key_end;
  }
  made_text_.assign(texts[0].substr(0, key_start_));
  made_text_.resize(key_end);

  SortRecord* sorted = records_.get();
  const auto key_less = [](const SortRecord& a, const SortRecord& b) { return a.key < b.key; };
  if (std::is_sorted(sorted, sorted + count, key_less)) {
    // Texts that come in order, as lists read in key order do, keep it.
  } else if (count < kRadixSortThreshold) {
    std::stable_sort(sorted, sorted + count, key_less);
  } else {
    spare_ = std::make_unique_for_overwrite<SortRecord[]>(count);
    sorted = RadixSortByKey(records_.get(), spare_.get(), count);
  }
  if (texts_outrun_keys_) OrderEqualKeys(sorted, count, texts, key_end);
  sorted_ = sorted;
}

bool SortedTexts::reads_input(std::size_t i) const {
  // A text ends before the last byte of its key exactly when that byte is
  // padding; with no text longer than its key, every text ends within it.
  return texts_outrun_keys_ && (sorted_[i].key & 0xFF) != 0;
}

std::string_view SortedTexts::text(std::size_t i) {
  if (reads_input(i)) return texts_[sorted_[i].position];
  const std::uint64_t key = sorted_[i].key;
  for (std::size_t byte = 0; byte < kKeyBytes; ++byte) {
    made_text_[key_start_ + byte] = static_cast<char>(key >> (8 * (kKeyBytes - 1 - byte)));
  }
  const std::size_t padding = static_cast<std::size_t>(std::countr_zero(key)) / 8;  // 8 for 0
  return std::string_view(made_text_.data(), key_start_ + kKeyBytes - padding);
}

}  // namespace rovivar
