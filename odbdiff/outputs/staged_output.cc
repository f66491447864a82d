#include "outputs/staged_output.h"  // StagedOutput, SyncFile, SyncFolder

#include <fcntl.h>     // open, O_RDONLY, O_DIRECTORY, O_CLOEXEC
#include <sys/stat.h>  // stat, fstat, S_ISREG
#include <unistd.h>    // fsync, close, STDOUT_FILENO

#include <cerrno>        // errno, ENOENT
#include <cstdio>        // std::rename
#include <fstream>       // std::ifstream, the output copied to standard output
#include <string_view>   // std::string_view, a chunk of it
#include <system_error>  // std::error_code

#include "outputs/standard_output.h"  // WriteStandardOutput, FinishStandardOutput
#include "platform/failure.h"         // Failure, SystemErrorText

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

// Copies the file at `path` to standard output. Throws Failure naming
// `shown` when it cannot be read, or when standard output fails.
void CopyToStandardOutput(const std::string& path, const std::string& shown) {
  std::ifstream input(path, std::ios::binary);
  if (!input) throw Failure(shown, "was not written");
  std::string chunk(1 << 16, '\0');
  while (input.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) ||
         input.gcount() > 0) {
    WriteStandardOutput(std::string_view(chunk.data(), static_cast<std::size_t>(input.gcount())));
  }
  if (input.bad()) throw Failure(shown, "cannot be read back");
  FinishStandardOutput();
}

}  // namespace

bool IsStandardOutput(const std::string& path) {
  if (path == "-") return true;
  struct stat output {};
  struct stat named {};
  return fstat(STDOUT_FILENO, &output) == 0 && stat(path.c_str(), &named) == 0 &&
         output.st_dev == named.st_dev && output.st_ino == named.st_ino;
}

StagedOutput::StagedOutput(const std::string& path) : path_(path), target_(FollowLinks(path)) {
  if (IsStandardOutput(path)) {
    // Standard output gets the whole output only once every output of the
    // command is complete, and nothing while the module prints.
    to_standard_output_ = true;
    side_folder_.emplace(fs::temp_directory_path(), kTemporaryFolderPrefix);
    writing_path_ = (side_folder_->path() / "standard-output").string();
    return;
  }
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
  if (to_standard_output_) {
    CopyToStandardOutput(writing_path_, path_);
    return;
  }
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
