#include "scratch_folder.h"  // ScratchFolder

#include <stdlib.h>  // mkdtemp

#include <cerrno>        // errno
#include <system_error>  // std::error_code

#include "failure.h"  // Failure, SystemErrorText

namespace odbdiff {

ScratchFolder::ScratchFolder(const std::filesystem::path& parent, const std::string& prefix) {
  std::string pattern = (parent / (prefix + "XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw Failure(parent.string(), "cannot make a temporary folder: " + SystemErrorText(errno));
  }
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  // A folder that cannot be removed is left behind; the command's result
  // stands either way, and a destructor has no one to tell.
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace odbdiff
