// Slot values as the loader hands them out: their text form, cut to the
// value buffer.
#ifndef HOSTLIBS_LOADER_VALUE_TEXT_H_
#define HOSTLIBS_LOADER_VALUE_TEXT_H_

#include <string>       // std::string
#include <string_view>  // std::string_view

#include "diff/host/object_database.h"  // CvxSlot

namespace zavo32 {

// The text form of a fetched value, as LoadAllSlots gives it: a text as it
// is; a number as the shortest decimal that reads back as the same double,
// then a blank and the units when it has units; a list as its items joined
// with "\n"; the empty text when the slot holds nothing.
std::string value_text(const CvxSlot& value);

// Copies `text` into `buffer` (kLoaderValueBufferSize bytes) with a closing
// NUL. A text longer than the buffer holds is cut at a character boundary
// and ends in the UTF-8 ellipsis instead, so the cut shows.
void copy_cut_to_value_buffer(std::string_view text, char* buffer);

}  // namespace zavo32

#endif  // HOSTLIBS_LOADER_VALUE_TEXT_H_
