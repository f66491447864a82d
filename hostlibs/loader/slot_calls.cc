// _vx_ld_10 and lo_load_list2_all_sorted: slot values of an open file.
#include <algorithm>  // std::stable_sort
#include <cstddef>    // std::size_t
#include <cstring>    // std::strcmp
#include <numeric>    // std::iota
#include <vector>     // std::vector

#include "diff/host/list_library.h"     // list2, CStrList
#include "diff/host/loader_library.h"   // the declarations
#include "diff/host/object_database.h"  // CvxODB, CvxSlot
#include "call_error.h"                  // clear_call_error, keep_call_error
#include "open_files.h"                  // find_open_file
#include "value_text.h"                  // value_text, copy_cut_to_value_buffer

namespace {

// Positions of `names` in byte-wise order of their texts, equal texts
// keeping their order.
std::vector<int> sorted_positions(CStrList& names) {
  std::vector<int> positions(static_cast<std::size_t>(names.GetLength()));
  std::iota(positions.begin(), positions.end(), 0);
  // strcmp orders by unsigned bytes.
  std::stable_sort(positions.begin(), positions.end(), [&names](int left, int right) {
    return std::strcmp(names.GetTextAt(left), names.GetTextAt(right)) < 0;
  });
  return positions;
}

}  // namespace

extern "C" {

int _vx_ld_10(const char* file, const char* object, const char* slot, char* value,
              const char* options) {
  zavo32::clear_call_error();
  if (value == nullptr) return 0;
  value[0] = '\0';
  CvxODB* database = zavo32::find_open_file(file);
  // The options are reserved: only the empty text is valid.
  if (database == nullptr || slot == nullptr || options == nullptr || options[0] != '\0') {
    return 0;
  }
  try {
    // GetValue fetches one slot; reading it never touches the object's other slots.
    CvxSlot fetched(nullptr, VX_SLOT_ANY);
    if (database->GetValue(object, slot, fetched, 0) == 0) {
      zavo32::keep_call_error(*database);
      return 0;
    }
    zavo32::copy_cut_to_value_buffer(zavo32::value_text(fetched), value);
    return 1;
  } catch (...) {
    return 0;  // out of memory for the text form; `value` is still empty
  }
}

int lo_load_list2_all_sorted(const char* file, const char* object, list2* slot_names,
                             list2* slot_texts) {
  zavo32::clear_call_error();
  // Each out-parameter given receives a new list, which stays empty on failure.
  if (slot_names != nullptr) *slot_names = list2_create();
  if (slot_texts != nullptr) *slot_texts = list2_create();
  if (slot_names == nullptr || slot_texts == nullptr || *slot_names == nullptr ||
      *slot_texts == nullptr) {
    return 0;
  }
  CvxODB* database = zavo32::find_open_file(file);
  if (database == nullptr) return 0;
  try {
    CStrList names;
    CStrList texts;
    if (database->LoadAllSlots(object, &names, &texts, 0, 0) == 0) {
      zavo32::keep_call_error(*database);
      return 0;
    }
    for (const int position : sorted_positions(names)) {
      if (list2_append_to_end(*slot_names, names.GetTextAt(position), 0) == 0 ||
          list2_append_to_end(*slot_texts, texts.GetTextAt(position), 0) == 0) {
        return 0;  // out of memory in the list library
      }
    }
    return 1;
  } catch (...) {
    return 0;  // out of memory before anything was appended
  }
}

}  // extern "C"
