// lo_last_error and the reason it hands out.
#include "call_error.h"  // clear_call_error, keep_call_error

#include <string>  // std::string, the kept reason

#include "diff/host/loader_library.h"  // the declaration of lo_last_error

namespace zavo32 {
namespace {

// Per thread, like the calls it describes. Assigning a reason may throw only
// when memory runs out; the reason is then lost, not the call's answer.
thread_local std::string last_reason;

}  // namespace

void clear_call_error() { last_reason.clear(); }

void keep_call_error(const CvxODB& database) {
  try {
    last_reason = database.LastError();
  } catch (...) {
    last_reason.clear();
  }
}

}  // namespace zavo32

extern "C" const char* lo_last_error(void) { return zavo32::last_reason.c_str(); }
