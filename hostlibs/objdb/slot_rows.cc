#include "slot_rows.h"  // ReadRowValue, ReadRowText

#include <limits>   // std::numeric_limits for the NaN read back
#include <string>   // std::to_string for kinds
#include <utility>  // std::move

#include "failure_text.h"  // StorageClassName

namespace zozavi {
namespace {

bool Refuse(std::string& problem, std::string text) {
  problem = std::move(text);
  return false;
}

// A column of the row that must hold `expected` ("a text") and holds
// something else.
bool RefuseType(std::string& problem, const char* what, int type, const char* expected) {
  return Refuse(problem, std::string(what) + " is " + StorageClassName(type) + ", not " + expected);
}

}  // namespace

bool ReadRowText(const Statement& row, int column, const char* what, std::string_view& text,
                 std::string& problem) {
  const int type = row.ColumnType(column);
  if (type != SQLITE_TEXT) return RefuseType(problem, what, type, "a text");
  text = row.ColumnText(column);
  if (text.find('\0') != std::string_view::npos) {
    return Refuse(problem, std::string(what) + " holds a NUL byte");
  }
  return true;
}

bool ReadRowValue(const Statement& row, int first, SlotValueView& value, std::string& problem) {
  const int kind_type = row.ColumnType(first);
  if (kind_type != SQLITE_INTEGER) return RefuseType(problem, "kind", kind_type, "1, 2 or 3");
  const sqlite3_int64 kind = row.ColumnInt64(first);
  switch (kind) {
    case static_cast<int>(SlotKind::kText):
      value.kind = SlotKind::kText;
      return ReadRowText(row, first + 1, "text", value.text, problem);
    case static_cast<int>(SlotKind::kNumber): {
      value.kind = SlotKind::kNumber;
      const int number_type = row.ColumnType(first + 2);
      if (number_type == SQLITE_NULL) {
        value.number = std::numeric_limits<double>::quiet_NaN();  // SQLite stores a NaN as NULL
      } else if (number_type == SQLITE_INTEGER || number_type == SQLITE_FLOAT) {
        value.number = row.ColumnDouble(first + 2);
      } else {
        return RefuseType(problem, "number", number_type, "a number");
      }
      return row.ColumnType(first + 3) == SQLITE_NULL ||
             ReadRowText(row, first + 3, "units", value.units, problem);
    }
    case static_cast<int>(SlotKind::kList): {
      value.kind = SlotKind::kList;
      const int items_type = row.ColumnType(first + 4);
      if (items_type != SQLITE_BLOB) return RefuseType(problem, "items", items_type, "a blob");
      value.items = row.ColumnBlob(first + 4);
      if (!value.items.empty() && value.items.back() != '\0') {
        return Refuse(problem, "items do not end with the NUL that closes the last item");
      }
      return true;
    }
    default:
      return Refuse(problem, "kind " + std::to_string(kind) + " is unknown");
  }
}

}  // namespace zozavi
