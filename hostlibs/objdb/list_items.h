// The stored form of a list value: every item followed by one NUL byte, so
// that items may hold any byte but NUL and an empty list ("") differs from a
// list of one empty item ("\0").
#ifndef HOSTLIBS_OBJDB_LIST_ITEMS_H_
#define HOSTLIBS_OBJDB_LIST_ITEMS_H_

#include <string>       // std::string for the encoded items
#include <string_view>  // std::string_view for encoded items read back

#include "diff/host/list_library.h"  // CStrList

namespace zozavi {

// Replaces `encoded` with the items of `list`, in order.
void EncodeListItems(CStrList& list, std::string& encoded);

// Appends the items of `encoded` to `list`. False when the list refuses one.
bool AppendListItems(std::string_view encoded, CStrList& list);

// Appends the items of `encoded` joined with "\n" to `out`.
void AppendJoinedItems(std::string_view encoded, std::string& out);

}  // namespace zozavi

#endif  // HOSTLIBS_OBJDB_LIST_ITEMS_H_
