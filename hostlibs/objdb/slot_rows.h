// The rows of the scan that reads slots in the table's order, shared by an
// open database and its read-ahead, and the checks every row read passes.
#ifndef HOSTLIBS_OBJDB_SLOT_ROWS_H_
#define HOSTLIBS_OBJDB_SLOT_ROWS_H_

#include <string>       // std::string for problems found
#include <string_view>  // std::string_view for names read

#include "slot_value.h"       // SlotValueView
#include "sqlite_handles.h"   // Statement

namespace zozavi {

// The slots of the object ?1 and of every object after it, in the table's
// order: by object name, then by slot name.
inline constexpr char kScanSlotsSql[] =
    "SELECT object, name, seq, kind, text, number, units, items FROM slots"
    " WHERE object >= ?1 ORDER BY object, name";
inline constexpr int kScanObjectColumn = 0;
inline constexpr int kScanNameColumn = 1;
inline constexpr int kScanSeqColumn = 2;
inline constexpr int kScanValueColumn = 3;  // the first of the five value columns

// Whether the scan's row is a slot of `object`.
inline bool RowOwnedBy(const Statement& row, std::string_view object) {
  const ColumnValue owner = row.Column(kScanObjectColumn);
  return owner.Type() == SQLITE_TEXT && owner.Text() == object;
}

// What is wrong with a slot row whose name does not come after the name of
// its object's row before: a key changed in place in the table's pages,
// which a lookup by name would miss, so that a scan and a lookup disagree.
inline constexpr char kSlotOutOfOrder[] = "out of order in table \"slots\"";

// Reads the value in the five columns from `first`: kind, text, number,
// units, items. Only the columns of the value's kind are read; those of the
// other kinds are ignored. False, with what is wrong in `problem` (such as
// "kind 4 is unknown"), when the value is not one this library writes: a
// kind other than the integers 1 to 3, a text that is no TEXT or holds a NUL,
// a number that is neither INTEGER, REAL nor NULL (a NaN, which SQLite stores
// as NULL), units that are neither NULL nor a text, items that are no BLOB
// or do not end with the NUL that closes the last item.
bool ReadRowValue(const Statement& row, int first, SlotValueView& value, std::string& problem);

// Reads the text in `column`, which must be a TEXT without NUL bytes, as
// every name, text and units must be: callers receive them as C strings,
// which would end at the NUL. False with `problem` (naming the column as
// `what`) otherwise.
bool ReadRowText(const Statement& row, int column, const char* what, std::string_view& text,
                 std::string& problem);

}  // namespace zozavi

#endif  // HOSTLIBS_OBJDB_SLOT_ROWS_H_
