#include "diff/report_text/report_table.h"

#include <array>      // std::array
#include <cstring>    // std::memcpy, std::memset
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

// The length of the well-formed UTF-8 character (RFC 3629: no overlong
// forms, no surrogates, nothing above U+10FFFF) at the start of `text`; 0
// when none starts there.
std::size_t utf8_character_length(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char second_low = 0x80;   // the range the second byte must lie in
  unsigned char second_high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) second_low = 0xA0;   // overlong below U+0800
    if (lead == 0xED) second_high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) second_low = 0x90;   // overlong below U+10000
    if (lead == 0xF4) second_high = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < second_low || byte(1) > second_high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

// How many bytes of `field` fit in `limit` bytes. A field that is valid
// UTF-8 as a whole is cut before the character that would be split, so the
// report stays valid UTF-8; any other field is cut by bytes.
std::size_t kept_length(std::string_view field, std::size_t limit) {
  if (field.size() <= limit) return field.size();
  std::size_t kept = 0;
  for (std::size_t at = 0; at < field.size();) {
    const std::size_t length = utf8_character_length(field.substr(at));
    if (length == 0) return limit;
    if (at + length <= limit) kept = at + length;
    at += length;
  }
  return kept;
}

// Appends `field` cut to `width` - 1 bytes and padded with blanks to
// `width`, so every column keeps its width in bytes.
void append_field(std::string& line, std::string_view field, std::size_t width) {
  const std::string_view kept = field.substr(0, kept_length(field, width - 1));
  line.append(kept);
  line.append(width - kept.size(), ' ');
}

constexpr std::size_t row_width() {
  std::size_t width = 0;
  for (const Column& column : kColumns) width += column.width;
  return width;
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
  // A row has a fixed width: it is built in place, without an allocation
  // for each of the million rows a large report may have.
  std::array<char, row_width()> line;
  char* at = line.data();
  for (std::size_t i = 0; i < kColumns.size(); ++i) {
    const std::size_t width = kColumns[i].width;
    const std::size_t kept = kept_length(fields[i], width - 1);
    std::memcpy(at, fields[i].data(), kept);
    std::memset(at + kept, ' ', width - kept);
    at += width;
  }
  write_line(file, std::string_view(line.data(), line.size()));
}

}  // namespace diff::report_text
