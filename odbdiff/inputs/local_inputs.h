// Object files given as something the object-database library cannot open
// in place: standard input ("-"), a pipe, a process substitution
// (<(git show HEAD:plant.odb)), a device. Each is copied whole into a private
// temporary file (mode 0600, in a folder of its own under the temporary
// folder) that is removed when the command ends, whether it succeeds or not;
// a run that is killed leaves it for a later run to remove (see
// ScratchFolder). A regular file, and a path that names nothing (which the
// usual checks then report), is used as it is.
#ifndef ODBDIFF_INPUTS_LOCAL_INPUTS_H_
#define ODBDIFF_INPUTS_LOCAL_INPUTS_H_

#include <optional>  // std::optional
#include <string>    // std::string
#include <vector>    // std::vector

#include "platform/scratch_folder.h"  // ScratchFolder

namespace odbdiff {

// True when `path` is "-", odbdiff's name for standard input.
bool IsStandardInput(const std::string& path);

class LocalInputs {
 public:
  // The path to open for the object file given as `path`: `path` itself or
  // its copy. Throws Failure naming `path` when it cannot be copied or the
  // copy is no object file.
  std::string Local(const std::string& path);

  // The inputs as given (standard input as /dev/stdin) and their copies,
  // so that no output is allowed to replace any of them.
  const std::vector<std::string>& all() const { return all_; }

 private:
  std::optional<ScratchFolder> folder_;  // made with the first copy
  std::vector<std::string> all_;
  int copies_ = 0;
};

}  // namespace odbdiff

#endif  // ODBDIFF_INPUTS_LOCAL_INPUTS_H_
