#include "failure_text.h"  // AppendEscaped, Quoted, ObjectPlace, SlotPlace, SqliteFailure

#include <cerrno>   // EFBIG
#include <cstddef>  // std::size_t

namespace zozavi {
namespace {

// Length of the valid UTF-8 character (RFC 3629: shortest form, no
// surrogates, nothing above U+10FFFF) at the start of `bytes`; 0 when there
// is none.
std::size_t Utf8CharLength(std::string_view bytes) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const auto continues = [&](std::size_t i) {
    return i < bytes.size() && (byte(i) & 0xC0) == 0x80;
  };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return continues(1) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (!continues(1) || !continues(2)) return 0;
    if (lead == 0xE0 && byte(1) < 0xA0) return 0;   // overlong
    if (lead == 0xED && byte(1) >= 0xA0) return 0;  // surrogate
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (!continues(1) || !continues(2) || !continues(3)) return 0;
    if (lead == 0xF0 && byte(1) < 0x90) return 0;   // overlong
    if (lead == 0xF4 && byte(1) >= 0x90) return 0;  // above U+10FFFF
    return 4;
  }
  return 0;
}

void AppendHexEscape(unsigned char byte, std::string& out) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out.append("\\x");
  out.push_back(kDigits[byte >> 4]);
  out.push_back(kDigits[byte & 0xF]);
}

}  // namespace

void AppendEscaped(std::string_view bytes, std::string& out) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    const char* named = nullptr;
    switch (byte) {
      case '\n':
        named = "\\n";
        break;
      case '\r':
        named = "\\r";
        break;
      case '\t':
        named = "\\t";
        break;
      case '"':
        named = "\\\"";
        break;
      case '\\':
        named = "\\\\";
        break;
      default:
        break;
    }
    if (named != nullptr) {
      out.append(named);
      ++i;
      continue;
    }
    const std::size_t length = Utf8CharLength(bytes.substr(i));
    // Controls, DEL and the C1 controls (U+0080 to U+009F) are escaped too.
    const bool control =
        byte < 0x20 || byte == 0x7F ||
        (byte == 0xC2 && length == 2 && static_cast<unsigned char>(bytes[i + 1]) < 0xA0);
    if (length == 0 || control) {
      for (std::size_t k = 0; k < (length == 0 ? 1 : length); ++k) {
        AppendHexEscape(static_cast<unsigned char>(bytes[i + k]), out);
      }
      i += length == 0 ? 1 : length;
      continue;
    }
    out.append(bytes.substr(i, length));
    i += length;
  }
}

std::string Quoted(std::string_view name) {
  std::string quoted = "\"";
  AppendEscaped(name, quoted);
  quoted.push_back('"');
  return quoted;
}

std::string ObjectPlace(std::string_view object) { return "object " + Quoted(object); }

std::string SlotPlace(std::string_view object, std::string_view slot) {
  return ObjectPlace(object) + ", slot " + Quoted(slot);
}

std::string OrphanSlots(std::string_view object) {
  return ObjectPlace(object) + " has slots but is not in table \"objects\"";
}

std::string SqliteFailure(sqlite3* db, int rc, const char* action) {
  if (rc == SQLITE_IOERR_CORRUPTFS) return "damaged: the file ends in the middle of a page";
  const int primary = rc & 0xFF;
  // SQLite calls every failed write but ENOSPC a disk I/O error; a write
  // past the file size limit (EFBIG) is told as such. The database file
  // keeps the errno of its last failed call, which later calls of the
  // rollback may have replaced in errno itself.
  if (primary == SQLITE_IOERR && db != nullptr) {
    int file_errno = 0;
    sqlite3_file_control(db, "main", SQLITE_FCNTL_LAST_ERRNO, &file_errno);
    if (file_errno == EFBIG || sqlite3_system_errno(db) == EFBIG) {
      return std::string(action) + ": file too large";
    }
  }
  std::string failure = primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB
                            ? std::string("damaged: ")
                            : std::string(action) + ": ";
  // The message may quote names from the file.
  AppendEscaped(db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc), failure);
  return failure;
}

const char* StorageClassName(int type) {
  switch (type) {
    case SQLITE_INTEGER:
      return "an integer";
    case SQLITE_FLOAT:
      return "a real number";
    case SQLITE_TEXT:
      return "a text";
    case SQLITE_BLOB:
      return "a blob";
    default:
      return "NULL";
  }
}

}  // namespace zozavi
