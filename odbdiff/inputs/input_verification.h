// --verify-inputs: SQLite's quick check of both object files before they are
// compared, for damage that reading them does not reveal (a page's free
// space or cell offsets gone wrong outside the rows read).
#ifndef ODBDIFF_INPUTS_INPUT_VERIFICATION_H_
#define ODBDIFF_INPUTS_INPUT_VERIFICATION_H_

#include <string>  // std::string

namespace odbdiff {

// Checks the object file at `path`. Throws Failure naming `shown` (the name
// the user gave) with SQLite's first finding when the check fails.
void VerifyObjectFile(const std::string& path, const std::string& shown);

}  // namespace odbdiff

#endif  // ODBDIFF_INPUTS_INPUT_VERIFICATION_H_
