#include "inputs/input_verification.h"  // VerifyObjectFile

#include "diff/host/object_database.h"   // CvxODB
#include "inputs/object_file_failure.h"  // ObjectFileFailure

namespace odbdiff {

void VerifyObjectFile(const std::string& path, const std::string& shown) {
  CvxODB database(0, path.c_str(), 0);
  // Level 0: SQLite's quick check, which reads every page once.
  if (database.Validate(0) == 0) {
    throw ObjectFileFailure(shown, database, "fails SQLite's quick check");
  }
}

}  // namespace odbdiff
