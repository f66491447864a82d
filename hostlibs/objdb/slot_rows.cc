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

bool ReadText(const ColumnValue& column, const char* what, std::string_view& text,
              std::string& problem) {
  const int type = column.Type();
  if (type != SQLITE_TEXT) return RefuseType(problem, what, type, "a text");
  text = column.Text();
  if (text.find('\0') != std::string_view::npos) {
    return Refuse(problem, std::string(what) + " holds a NUL byte");
  }
  return true;
}

}  // namespace

bool ReadRowText(const Statement& row, int column, const char* what, std::string_view& text,
                 std::string& problem) {
  return ReadText(row.Column(column), what, text, problem);
}

bool ReadRowValue(const Statement& row, int first, SlotValueView& value, std::string& problem) {
  const ColumnValue kind_column = row.Column(first);
  const int kind_type = kind_column.Type();
  if (kind_type != SQLITE_INTEGER) return RefuseType(problem, "kind", kind_type, "1, 2 or 3");
  const sqlite3_int64 kind = kind_column.Int64();
  switch (kind) {
    case static_cast<int>(SlotKind::kText):
      value.kind = SlotKind::kText;
      return ReadText(row.Column(first + 1), "text", value.text, problem);
    case static_cast<int>(SlotKind::kNumber): {
      value.kind = SlotKind::kNumber;
      const ColumnValue number = row.Column(first + 2);
      const int number_type = number.Type();
      if (number_type == SQLITE_NULL) {
        value.number = std::numeric_limits<double>::quiet_NaN();  // SQLite stores a NaN as NULL
      } else if (number_type == SQLITE_INTEGER || number_type == SQLITE_FLOAT) {
        value.number = number.Double();
      } else {
        return RefuseType(problem, "number", number_type, "a number");
      }
      const ColumnValue units = row.Column(first + 3);
      return units.Type() == SQLITE_NULL || ReadText(units, "units", value.units, problem);
    }
    case static_cast<int>(SlotKind::kList): {
      value.kind = SlotKind::kList;
      const ColumnValue items = row.Column(first + 4);
      const int items_type = items.Type();
      if (items_type != SQLITE_BLOB) return RefuseType(problem, "items", items_type, "a blob");
      value.items = items.Blob();
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
