#include "diff/report_html/loader_read.h"

#include <string>  // std::string, the message

#include "diff/host/loader_library.h"   // lo_last_error
#include "diff/outcome/call_outcome.h"  // fail, DIFF_ERROR_READ

namespace diff::report_html {

int loader_answer(const char* file, int answer) {
  const char* reason = lo_last_error();
  if (answer == 0 && reason != nullptr && reason[0] != '\0') {
    fail(DIFF_ERROR_READ, std::string(file != nullptr ? file : "") + ": " + reason);
  }
  return answer;
}

}  // namespace diff::report_html
