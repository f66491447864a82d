// _vx_ld_31 and _vx_ld_33: opening and closing object files by name.
#include "diff/host/loader_library.h"  // the declarations
#include "call_error.h"                 // clear_call_error
#include "open_files.h"                 // open_file, close_file

extern "C" {

int _vx_ld_31(const char* file) {
  zavo32::clear_call_error();
  try {
    return zavo32::open_file(file) ? 1 : 0;
  } catch (...) {
    return 0;  // out of memory for the name
  }
}

int _vx_ld_33(const char* file) {
  zavo32::clear_call_error();
  try {
    return zavo32::close_file(file) ? 1 : 0;
  } catch (...) {
    return 0;  // out of memory for the key of the lookup
  }
}

}  // extern "C"
