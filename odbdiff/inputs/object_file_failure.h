// The failure of a call of the object-database library on one file, with the
// library's own reason when it knows one.
#ifndef ODBDIFF_INPUTS_OBJECT_FILE_FAILURE_H_
#define ODBDIFF_INPUTS_OBJECT_FILE_FAILURE_H_

#include <string>       // std::string
#include <string_view>  // std::string_view

#include "diff/host/object_database.h"  // CvxODB
#include "platform/failure.h"           // Failure

namespace odbdiff {

// True when the library's last call on `database` failed for a reason, as
// against answering no for a missing object or slot.
inline bool LastCallFailed(const CvxODB& database) {
  const char* reason = database.LastError();
  return reason != nullptr && *reason != '\0';
}

// "PATH: REASON", the reason being what the library says of its last call on
// `database` (`damaged: no table "slots"`), or `fallback` when it says
// nothing.
inline Failure ObjectFileFailure(const std::string& path, const CvxODB& database,
                                 std::string_view fallback) {
  return Failure(path,
                 LastCallFailed(database) ? std::string_view(database.LastError()) : fallback);
}

}  // namespace odbdiff

#endif  // ODBDIFF_INPUTS_OBJECT_FILE_FAILURE_H_
