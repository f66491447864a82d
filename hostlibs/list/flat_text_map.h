// An open-addressing hash map from texts to small values. The map keeps
// views of its keys, not copies: each key text must stay where it is while
// the map holds it.
//
// All entries live in one array probed linearly, so a lookup reads one or two
// adjacent cache lines instead of a bucket and a chain of separately allocated
// nodes. Each entry keeps its key's hash, so probing past other keys compares
// integers and does not read their texts. Erasing moves the rest of the probe
// run back instead of leaving tombstones, so lookups do not slow down after
// many erasures.
#ifndef HOSTLIBS_LIST_FLAT_TEXT_MAP_H_
#define HOSTLIBS_LIST_FLAT_TEXT_MAP_H_

#include <bit>          // std::countr_zero
#include <cstddef>      // std::size_t
#include <cstdint>      // std::uint64_t
#include <functional>   // std::hash
#include <string_view>  // std::string_view
#include <utility>      // std::pair, std::swap
#include <vector>       // std::vector

namespace rovivar {

template <typename Value>
class FlatTextMap {
 public:
  struct Entry {
    std::string_view key;  // a null data pointer marks a free entry
    std::size_t hash;
    Value value;
  };

  std::size_t size() const { return size_; }

  // The hash the map files `key` under.
  static std::size_t HashOf(std::string_view key) {
    return std::hash<std::string_view>{}(Normalized(key));
  }

  // Asks the processor for the entry where the probe for `hash` starts, so
  // that a loop filling the map can fetch a few keys ahead of its inserts.
  void Prefetch(std::size_t hash) const {
    if (!entries_.empty()) __builtin_prefetch(&entries_[HomeOf(hash)]);
  }

  // The entry of `key`, or null. The pointer stays valid until the map next
  // changes.
  Entry* Find(std::string_view key) { return Find(key, HashOf(key)); }
  // The same, for a key whose hash (HashOf) is known.
  Entry* Find(std::string_view key, std::size_t hash);

  // The entry of `key`, added with `value` when the map lacks it; the flag
  // tells whether it was added. Throws std::bad_alloc (the map is unchanged).
  std::pair<Entry*, bool> TryEmplace(std::string_view key, const Value& value) {
    return TryEmplace(key, HashOf(key), value);
  }
  // The same, for a key whose hash (HashOf) is known.
  std::pair<Entry*, bool> TryEmplace(std::string_view key, std::size_t hash, const Value& value);

  // Takes out `entry`, which Find or TryEmplace returned since the map last
  // changed.
  void Erase(Entry* entry);

  // Empties the map, releasing its array first, and makes room for `count`
  // keys. Throws std::bad_alloc (the map is then empty).
  void Reset(std::size_t count);

 private:
  static constexpr std::size_t kMinCapacity = 16;

  // A view without a data pointer is the empty text; storing it as a real
  // empty text keeps null data pointers free to mark free entries.
  static std::string_view Normalized(std::string_view key) {
    return key.data() != nullptr ? key : std::string_view("");
  }
  // The smallest capacity (a power of two) that holds `count` keys at a load
  // of at most 3/4; linear probing stays short up to that load.
  static std::size_t CapacityFor(std::size_t count);
  static std::size_t MaxSizeFor(std::size_t capacity) { return capacity / 4 * 3; }

  // Where the probe for `hash` starts: the top bits of the hash times a
  // constant with well-spread bits, which mixes every bit of the hash in.
  std::size_t HomeOf(std::size_t hash) const {
    return static_cast<std::size_t>((static_cast<std::uint64_t>(hash) * 0x9E3779B97F4A7C15ULL) >>
                                    (64 - std::countr_zero(entries_.size())));
  }
  std::size_t Next(std::size_t index) const { return (index + 1) & (entries_.size() - 1); }
  // The entry holding `key`, or the free entry where its probe ends. The
  // array must not be empty.
  Entry& Probe(std::string_view key, std::size_t hash);
  // Doubles the array. Throws std::bad_alloc (the map is unchanged).
  void Grow();

  std::vector<Entry> entries_;  // empty, or a power of two entries, at least one free
  std::size_t size_ = 0;
};

template <typename Value>
std::size_t FlatTextMap<Value>::CapacityFor(std::size_t count) {
  std::size_t capacity = kMinCapacity;
  while (MaxSizeFor(capacity) < count) capacity *= 2;
  return capacity;
}

template <typename Value>
typename FlatTextMap<Value>::Entry& FlatTextMap<Value>::Probe(std::string_view key,
                                                                std::size_t hash) {
  for (std::size_t index = HomeOf(hash);; index = Next(index)) {
    Entry& entry = entries_[index];
    if (entry.key.data() == nullptr) return entry;
    if (entry.hash == hash && entry.key == key) return entry;
  }
}

template <typename Value>
typename FlatTextMap<Value>::Entry* FlatTextMap<Value>::Find(std::string_view key,
                                                             std::size_t hash) {
  if (size_ == 0) return nullptr;
  Entry& entry = Probe(Normalized(key), hash);
  return entry.key.data() != nullptr ? &entry : nullptr;
}

template <typename Value>
std::pair<typename FlatTextMap<Value>::Entry*, bool> FlatTextMap<Value>::TryEmplace(
    std::string_view key, std::size_t hash, const Value& value) {
  key = Normalized(key);
  Entry* entry = entries_.empty() ? nullptr : &Probe(key, hash);
  if (entry != nullptr && entry->key.data() != nullptr) return {entry, false};
  if (size_ + 1 > MaxSizeFor(entries_.size())) {
    Grow();
    entry = &Probe(key, hash);
  }
  *entry = Entry{key, hash, value};
  ++size_;
  return {entry, true};
}

template <typename Value>
void FlatTextMap<Value>::Erase(Entry* entry) {
  // Walks the probe run after the hole; an entry whose home lies cyclically
  // in (hole, index] is still reachable, any other moves into the hole.
  auto hole = static_cast<std::size_t>(entry - entries_.data());
  for (std::size_t index = Next(hole); entries_[index].key.data() != nullptr;
       index = Next(index)) {
    const std::size_t home = HomeOf(entries_[index].hash);
    const bool reachable =
        hole < index ? (hole < home && home <= index) : (hole < home || home <= index);
    if (reachable) continue;
    entries_[hole] = entries_[index];
    hole = index;
  }
  entries_[hole] = Entry{};
  --size_;
}

template <typename Value>
void FlatTextMap<Value>::Reset(std::size_t count) {
  std::vector<Entry>().swap(entries_);
  size_ = 0;
  entries_.resize(CapacityFor(count));
}

template <typename Value>
void FlatTextMap<Value>::Grow() {
  std::vector<Entry> old(entries_.empty() ? kMinCapacity : entries_.size() * 2);
  std::swap(old, entries_);
  for (const Entry& entry : old) {
    if (entry.key.data() != nullptr) Probe(entry.key, entry.hash) = entry;
  }
}

}  // namespace rovivar

#endif  // HOSTLIBS_LIST_FLAT_TEXT_MAP_H_
