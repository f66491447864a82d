// _vx_ld_5: the object names of an open file as a text-list buffer.
#include <climits>  // INT_MAX
#include <cstddef>  // std::size_t
#include <cstring>  // std::memcpy, std::strlen

#include "diff/host/list_library.h"    // CStrList
#include "diff/host/loader_library.h"  // the declaration
#include "call_error.h"                 // clear_call_error, keep_call_error
#include "open_files.h"                 // find_open_file

extern "C" {

int _vx_ld_5(const char* file, char* buffer, int size) {
  zavo32::clear_call_error();
  // Every path that does not fill the buffer leaves an empty list in it.
  if (buffer != nullptr && size >= 1) buffer[0] = '\0';
  CvxODB* database = zavo32::find_open_file(file);
  if (database == nullptr || buffer == nullptr) return 0;
  try {
    CStrList names;
    if (database->GetObjects(&names) == 0) {
      zavo32::keep_call_error(*database);
      return 0;
    }
    // Each name and its NUL, then the closing NUL.
    std::size_t needed = 1;
    for (int i = 0; i < names.GetLength(); ++i) needed += std::strlen(names.GetTextAt(i)) + 1;
    // A list too long to count in an int asks for the most there is, which
    // still does not fit, so the caller gets the empty list.
    if (needed > static_cast<std::size_t>(INT_MAX)) return INT_MAX;
    if (size < 0 || needed > static_cast<std::size_t>(size)) return static_cast<int>(needed);
    char* at = buffer;
    for (int i = 0; i < names.GetLength(); ++i) {
      const char* name = names.GetTextAt(i);
      const std::size_t length = std::strlen(name) + 1;
      std::memcpy(at, name, length);
      at += length;
    }
    *at = '\0';
    return static_cast<int>(needed);
  } catch (...) {
    return 0;  // out of memory for the names
  }
}

}  // extern "C"
