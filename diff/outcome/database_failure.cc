#include "diff/outcome/database_failure.h"

#include <sys/stat.h>  // stat

#include <cerrno>   // errno
#include <cstring>  // std::strerror

#include "diff/outcome/call_outcome.h"  // fail

namespace diff {

bool library_gave_reason(const CvxODB& database) {
  const char* reason = database.LastError();
  return reason != nullptr && reason[0] != '\0';
}

std::string database_message(const CvxODB& database, std::string_view otherwise) {
  std::string message(database.DB());
  message.append(": ");
  if (library_gave_reason(database)) {
    message.append(database.LastError());
  } else {
    message.append(otherwise);
  }
  return message;
}

void fail_on(const CvxODB& database, int code, std::string_view otherwise) {
  fail(code, database_message(database, otherwise));
}

int read_answer(const CvxODB& database, int answer) {
  if (answer == 0 && library_gave_reason(database)) fail_on(database, DIFF_ERROR_READ, "");
  return answer;
}

void list_objects(CvxODB& database, CStrList& names) {
  if (database.GetObjects(&names) == 0) {
    fail_on(database, DIFF_ERROR_READ, "its objects cannot be listed");
  }
}

std::string open_failure_reason(const char* path) {
  struct stat status {};
  if (::stat(path, &status) != 0) return std::strerror(errno);
  return "cannot be opened as an object file";
}

}  // namespace diff
