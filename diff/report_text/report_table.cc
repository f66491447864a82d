#include "diff/report_text/report_table.h"

#include <algorithm>  // std::min
#include <array>      // std::array
#include <string>     // std::string, the line being built

#include "diff/report_text/report_file.h"  // write_line

namespace diff::report_text {
namespace {

struct Column {
  std::string_view heading;
  std::size_t width;
};

constexpr std::array<Column, 5> kColumns = {{
    {"Object Name", 35},
    {"Slot Name", 25},
    {"A Value", 25},
    {"B Value", 25},
    {"Comments", 20},
}};

// Appends `field` cut to `width` - 1 characters and padded to `width`.
void append_field(std::string& line, std::string_view field, std::size_t width) {
  const std::string_view kept = field.substr(0, std::min(field.size(), width - 1));
  line.append(kept);
  line.append(width - kept.size(), ' ');
}

}  // namespace

void write_table_header(std::FILE* file) {
  // The top rule runs over each column's full width, except that the last
  // column keeps its final blank.
  std::string over;
  for (std::size_t i = 0; i < kColumns.size(); ++i) {
    const std::size_t width = kColumns[i].width;
    over.append(i + 1 < kColumns.size() ? width : width - 1, '-');
  }
  over.push_back(' ');

  std::string names;
  std::string under;
  for (const Column& column : kColumns) {
    append_field(names, column.heading, column.width);
    append_field(under, std::string(column.width - 1, '-'), column.width);
  }

  write_line(file, over);
  write_line(file, names);
  write_line(file, under);
}

void write_table_row(std::FILE* file, const TableRow& row) {
  const std::array<std::string_view, kColumns.size()> fields = {
      row.object, row.slot, row.a_value, row.b_value, row.comment};
  std::string line;
  for (std::size_t i = 0; i < kColumns.size(); ++i) {
    append_field(line, fields[i], kColumns[i].width);
  }
  write_line(file, line);
}

}  // namespace diff::report_text
