// The rows of the scan that reads slots in the table's order, shared by an
// open database and its read-ahead.
#ifndef HOSTLIBS_OBJDB_SLOT_ROWS_H_
#define HOSTLIBS_OBJDB_SLOT_ROWS_H_

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

// Reads the value in the five columns from `first`: kind, text, number,
// units, items. Only the columns of the value's kind are fetched; those of
// the other kinds are NULL. False when the kind is none of ours.
bool ReadRowValue(const Statement& row, int first, SlotValueView& value);

}  // namespace zozavi

#endif  // HOSTLIBS_OBJDB_SLOT_ROWS_H_
