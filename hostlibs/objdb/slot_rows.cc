#include "slot_rows.h"

#include <limits>  // std::numeric_limits for the NaN read back

namespace zozavi {

bool ReadRowValue(const Statement& row, int first, SlotValueView& value) {
  switch (row.ColumnInt(first)) {
    case static_cast<int>(SlotKind::kText):
      value.kind = SlotKind::kText;
      value.text = row.ColumnText(first + 1);
      return true;
    case static_cast<int>(SlotKind::kNumber):
      value.kind = SlotKind::kNumber;
      // SQLite stores a NaN as NULL.
      value.number = row.ColumnType(first + 2) == SQLITE_NULL
                         ? std::numeric_limits<double>::quiet_NaN()
                         : row.ColumnDouble(first + 2);
      value.units = row.ColumnText(first + 3);
      return true;
    case static_cast<int>(SlotKind::kList):
      value.kind = SlotKind::kList;
      value.items = row.ColumnBlob(first + 4);
      return true;
    default:
      return false;
  }
}


}  // namespace zozavi
