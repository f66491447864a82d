#include "staged_output.h"  // StagedOutput, SyncFile, SyncFolder

#include <fcntl.h>     // open, O_RDONLY, O_DIRECTORY, O_CLOEXEC
#include <sys/stat.h>  // stat, S_ISREG
#include <unistd.h>    // fsync, close

#include <cerrno>        // errno, ENOENT
#include <cstdio>        // std::rename
#include <system_error>  // std::error_code

#include "failure.h"  // Failure, SystemErrorText

namespace odbdiff {
namespace {

namespace fs = std::filesystem;

// Syncs and closes `fd`; the errno of the first failure, or 0.
int SyncAndClose(int fd) {
  int error = fsync(fd) != 0 ? errno : 0;
  if (close(fd) != 0 && error == 0) error = errno;
  return error;
}

// The final name with symbolic links followed; the path itself when it
// names nothing yet (the checks refused a dangling link).
fs::path FollowLinks(const std::string& path) {
  std::error_code error;
  const fs::path followed = fs::canonical(path, error);
  return error ? fs::path(path) : followed;
}

}  // namespace

StagedOutput::StagedOutput(const std::string& path) : path_(path), target_(FollowLinks(path)) {
  struct stat info {};
  if (stat(target_.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    writing_path_ = path_;
    return;
  }
  fs::path folder = target_.parent_path();
  if (folder.empty()) folder = ".";
  side_folder_.emplace(folder, kSideFolderPrefix);
  writing_path_ = (side_folder_->path() / target_.filename()).string();
}

void StagedOutput::Commit() {
  if (!side_folder_) return;
  SyncFile(writing_path_, path_);
  if (std::rename(writing_path_.c_str(), target_.c_str()) != 0) {
    throw Failure(path_, "cannot put the new file in place: " + SystemErrorText(errno));
  }
  SyncFolder(side_folder_->path().parent_path(), path_);
}

void SyncFile(const std::string& path, const std::string& shown) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    throw Failure(shown, errno == ENOENT ? std::string("was not written")
                                         : "cannot be saved: " + SystemErrorText(errno));
  }
  if (const int error = SyncAndClose(fd); error != 0) {
    throw Failure(shown, "cannot be saved: " + SystemErrorText(error));
  }
}

void SyncFolder(const fs::path& folder, const std::string& shown) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) throw Failure(shown, "cannot save its folder: " + SystemErrorText(errno));
  if (const int error = SyncAndClose(fd); error != 0) {
    throw Failure(shown, "cannot save its folder: " + SystemErrorText(error));
  }
}

}  // namespace odbdiff
