// The host's list library (Rovivar), as the diff module calls it.
//
// Two kinds of list live here:
//   - `list2`: a handle-based list of items, each a text and a 64-bit data
//     word, with positions counted from 0 (C functions below);
//   - `CStrList`: a string-list class whose items are `CListNode`s.
// and two helpers: the text-list buffer functions and the `CvxString` class.
//
// Shared rules:
//   - Text equality is exact bytes; sorting is stable and byte-wise ascending
//     (unsigned bytes, as strcmp orders them).
//   - Lookups by text keep a hash index, rebuilt lazily after the list changes,
//     so n lookups cost O(n) expected. Positional access is O(1).
//   - A null or otherwise invalid argument gives a failure result (0, null or
//     an empty text), never a crash.
#ifndef DIFF_HOST_LIST_LIBRARY_H_
#define DIFF_HOST_LIST_LIBRARY_H_

#include <cstddef>  // std::size_t
#include <cstdint>  // std::int64_t
#include <memory>   // std::unique_ptr for the private parts

#define ROVIVAR_API __attribute__((visibility("default")))

// ---------------------------------------------------------------------------
// list2: handle-based list
// ---------------------------------------------------------------------------

typedef struct list2_impl* list2;

extern "C" {

// A new empty list; null only when memory runs out.
ROVIVAR_API list2 list2_create(void);

// Frees the list and its texts. Returns 1, or 0 for a null handle.
ROVIVAR_API int list2_delete(list2 list);

// Number of items; 0 for a null handle.
ROVIVAR_API int list2_length(list2 list);

// Text of the item at `position`, or null when there is no such item. When
// `data` is not null the item's data word is stored there (left alone when
// there is no such item). The text stays valid until that item is replaced or
// the list is deleted.
ROVIVAR_API const char* list2_get_item(list2 list, int position, std::int64_t* data);

// Nonzero when an item's text equals `text`.
ROVIVAR_API int list2_member(list2 list, const char* text);

// Position of the first item whose text equals `text`, or -1 when none does.
ROVIVAR_API int list2_get_item_location(list2 list, const char* text);

// The item at `position` takes a copy of `text` (which may be the item's own
// text) and the data word. Returns 1, or 0 when there is no such item.
ROVIVAR_API int list2_replace_data_location(list2 list, int position, const char* text,
                                            std::int64_t data);

// Inserts a copy of `text` with `data` so that it stands at `position`
// (0 <= position <= length). Returns 1, or 0 on a bad position.
ROVIVAR_API int list2_add_item(list2 list, const char* text, int position, std::int64_t data);

// Appends a copy of `text` with `data`. Returns 1, or 0 on failure.
ROVIVAR_API int list2_append_to_end(list2 list, const char* text, std::int64_t data);

// A new list with the same items sorted by text (stable, byte-wise), each
// keeping its data word. Null for a null handle.
ROVIVAR_API list2 list2_copy_sorted(list2 list);

// Text-list buffer: a run of texts, each followed by one NUL byte, closed by
// one more NUL byte ("one\0two\0\0"). An empty buffer is a single NUL byte.
// Texts in a text-list buffer cannot be empty, since an empty text would read
// as the closing NUL. The caller keeps the buffer closed; the functions below
// read up to the closing NUL and never past it.

// Number of texts in the buffer; 0 for a null buffer.
ROVIVAR_API int list_length(const char* buffer);

// Copies the first text into `text` (a buffer of 512 bytes: at most 511 bytes
// and a NUL, longer texts are cut) and removes it from the buffer. Returns 1,
// or 0 when the buffer is empty or an argument is null (`text` is then set to
// the empty text when it is not null).
ROVIVAR_API int list_pop_first(char* buffer, char* text);

}  // extern "C"

// Size of the text buffer that list_pop_first fills.
inline constexpr std::size_t kListPopTextSize = 512;

// ---------------------------------------------------------------------------
// CStrList: string-list class
// ---------------------------------------------------------------------------

// One item. The first field is the text, the second the 64-bit data word;
// callers may read and assign both directly. A text assigned to `text` must be
// one that the owning list handed out through CopyText (or one it already
// held); the list never frees a text while it lives, so a replaced text is
// not lost track of, and nothing dangles.
struct CListNode {
  char* text;
  std::int64_t data;
  // Private to the list: the node's slot in the list's storage.
  std::int64_t slot_;
};

struct StrListCore;  // storage behind CDLList

// The list base class: item storage, length, lookup and removal.
class ROVIVAR_API CDLList {
 public:
  CDLList();
  CDLList(const CDLList& other);
  CDLList& operator=(const CDLList& other);
  virtual ~CDLList();

  // Number of items.
  int GetLength() const;

  // The node of the first item whose text equals `text`, or null.
  CListNode* Find(const char* text);

  // Stores the position of the first item whose text equals `text` in
  // `*position` (-1 when none does). Returns 1 when found, else 0.
  int GetIndex(const char* text, int* position);

  // Takes `node` out of the list. Returns 1, or 0 when the node is not an
  // item of this list. The node stays readable until the list is destroyed.
  virtual int Remove(CListNode* node);

 protected:
  std::unique_ptr<StrListCore> core_;
};

class ROVIVAR_API CStrList : public CDLList {
 public:
  CStrList();
  CStrList(const CStrList& other);
  CStrList& operator=(const CStrList& other);  // same texts, data and order
  ~CStrList() override;

  // A copy of `text` owned by this list, valid until the list is destroyed;
  // null for a null text. Callers use it before assigning a node's text
  // directly, so this call also tells the list its texts may change.
  virtual char* CopyText(const char* text);

  // Empties this list and fills it with the texts of `source`, sorted
  // (stable, byte-wise). Data words are not carried over: they are 0.
  // Returns 1, or 0 for a null source.
  virtual int CopySorted(const CStrList* source);

  // The node at `position`, or null.
  virtual CListNode* GetNodeAt(int position);

  // Nonzero when an item's text equals `text`.
  virtual int IsMember(const char* text);

  // Text of the item at `position` (null when there is none); its data word
  // is stored in `*data` when `data` is not null.
  const char* GetTextAt(int position, std::int64_t* data = nullptr);

  // Appends a copy of `text` with `data`. Returns 1, or 0 for a null text.
  int Append(const char* text, std::int64_t data = 0);

  // Removes every item.
  void Clear();

  // Length in bytes of all texts joined by `separator`, without a
  // terminating NUL; 0 for an empty list.
  int GetTextListLen(const char* separator);

  // Writes that join into `buffer`, at most `size` bytes including the
  // terminating NUL (the join is cut to size - 1 bytes). Returns the number of
  // bytes written before the NUL, or 0 when buffer is null or size < 1.
  int GetTextList(char* buffer, int size, const char* separator);
};

// ---------------------------------------------------------------------------
// CvxString: a string object
// ---------------------------------------------------------------------------

class ROVIVAR_API CvxString {
 public:
  CvxString();
  explicit CvxString(const char* text);  // copied; null gives the empty text
  CvxString(const char* text, std::size_t length);
  CvxString(const CvxString& other);
  CvxString& operator=(const CvxString& other);
  CvxString& operator=(const char* text);
  ~CvxString();

  const char* Text() const;
  // Length in characters (bytes).
  int GetLength() const;
  // A new string of the first n characters (the whole string when n is
  // larger, the empty one when n <= 0).
  CvxString Left(int n) const;

 private:
  char* text_;
  std::size_t length_;
};

#endif  // DIFF_HOST_LIST_LIBRARY_H_
