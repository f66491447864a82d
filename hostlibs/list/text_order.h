// The order in which the list library sorts texts: byte-wise ascending with
// bytes compared as unsigned values (as strcmp orders them), stable for equal
// texts.
#ifndef HOSTLIBS_LIST_TEXT_ORDER_H_
#define HOSTLIBS_LIST_TEXT_ORDER_H_

#include <cstddef>      // std::size_t
#include <cstdint>      // std::uint64_t
#include <memory>       // std::unique_ptr
#include <span>         // std::span
#include <string>       // std::string
#include <string_view>  // std::string_view

namespace rovivar {

// Texts (which hold no NUL bytes) in sorted order: for each place in the
// order, the input position of the text there and the text itself. Equal
// texts keep the order of their input positions.
class SortedTexts {
 public:
  // Sorts `texts`, which must stay in place while this object is used.
  // Throws std::bad_alloc.
  explicit SortedTexts(std::span<const std::string_view> texts);

  std::size_t size() const { return texts_.size(); }

  // The input position of the i-th text in order.
  std::size_t position(std::size_t i) const { return sorted_[i].position; }

  // The i-th text in order. A text that ends within its sort key is made
  // from the key, so that walking the order does not read the input texts
  // all over memory; such a view stays valid until the next call.
  std::string_view text(std::size_t i);

  // Whether text(i) reads the input text (else it is made from the key).
  bool reads_input(std::size_t i) const;

  // A sort record: the 8 bytes of a text that follow the prefix all the
  // texts share, packed big-endian, and the text's input position.
  struct Record {
    std::uint64_t key;
    std::size_t position;
  };

 private:
  std::span<const std::string_view> texts_;
  std::unique_ptr<Record[]> records_;
  std::unique_ptr<Record[]> spare_;  // the radix sort's second array
  const Record* sorted_ = nullptr;   // in records_ or in spare_
  std::size_t key_start_ = 0;        // length of the shared prefix
  bool texts_outrun_keys_ = false;   // some text goes on past its key
  std::string made_text_;            // the shared prefix, then a key's bytes
};

// How many steps ahead a walk through sorted positions asks the processor
// for what it will read: the positions jump all over the source, so each
// read would otherwise wait on memory.
inline constexpr std::size_t kSortedWalkAhead = 16;

}  // namespace rovivar

#endif  // HOSTLIBS_LIST_TEXT_ORDER_H_
