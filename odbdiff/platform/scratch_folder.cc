#include "platform/scratch_folder.h"  // ScratchFolder

#include <fcntl.h>     // open, O_RDONLY, O_DIRECTORY, O_NOFOLLOW, O_CLOEXEC
#include <stdlib.h>    // mkdtemp, setenv, unsetenv
#include <sys/file.h>  // flock, LOCK_EX, LOCK_NB
#include <sys/stat.h>  // fstat, lstat, S_ISDIR
#include <unistd.h>    // close, geteuid

#include <cctype>        // std::isalnum
#include <cerrno>        // errno
#include <cstdlib>       // std::getenv
#include <string_view>   // std::string_view
#include <system_error>  // std::error_code

#include "platform/failure.h"  // Failure, SystemErrorText

namespace odbdiff {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kRandomLength = 6;  // mkdtemp's XXXXXX
// The object-database library's variable naming a folder of scratch files
// (docs/object-file-format.md, "Transactions and durability").
constexpr char kScratchDatabasesVariable[] = "ZOZAVI_SCRATCH_FOLDER";
constexpr int kAttempts = 8;

// The folder at `path`, open (not followed through a symbolic link) and
// locked; -1 when it is gone, no folder, or locked by a living run.
int OpenLocked(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return -1;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

// A name that mkdtemp gives for `prefix`.
bool HasOurPattern(std::string_view name, std::string_view prefix) {
  if (name.size() != prefix.size() + kRandomLength || !name.starts_with(prefix)) return false;
  for (const char c : name.substr(prefix.size())) {
    if (std::isalnum(static_cast<unsigned char>(c)) == 0) return false;
  }
  return true;
}

// Removes the folders in `parent` that a killed run of ours left: our
// pattern, our user, and a lock nobody holds.
void RemoveLeftovers(const fs::path& parent, const std::string& prefix) {
  std::error_code error;
  fs::directory_iterator entries(parent, error);
  if (error) return;  // making the new folder says what is wrong with `parent`
  for (const fs::directory_entry& entry : entries) {
    if (!HasOurPattern(entry.path().filename().string(), prefix)) continue;
    struct stat info {};
    if (lstat(entry.path().c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != geteuid()) {
      continue;
    }
    const int fd = OpenLocked(entry.path().string());
    if (fd < 0) continue;
    // A leftover that cannot be removed in full waits for a later run.
    fs::remove_all(entry.path(), error);
    close(fd);
  }
}

}  // namespace

ScratchFolder::ScratchFolder(const fs::path& parent, const std::string& prefix) {
  RemoveLeftovers(parent, prefix);
  // Between mkdtemp and the lock another run may take the new folder for a
  // leftover and remove it; a removed folder has no links left, and another
  // name is tried.
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::string pattern = (parent / (prefix + std::string(kRandomLength, 'X'))).string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw Failure(parent.string(), "cannot make a temporary folder: " + SystemErrorText(errno));
    }
    const int fd = OpenLocked(pattern);
    struct stat info {};
    if (fd >= 0 && fstat(fd, &info) == 0 && info.st_nlink > 0) {
      path_ = pattern;
      lock_ = fd;
      return;
    }
    if (fd >= 0) close(fd);
  }
  throw Failure(parent.string(), "cannot make a temporary folder: others keep removing it");
}

void ScratchFolder::HoldScratchDatabases() {
  // Without the variable the files are synced as any others: slower, not wrong.
  named_in_environment_ = setenv(kScratchDatabasesVariable, path_.c_str(), 1) == 0;
}

ScratchFolder::~ScratchFolder() {
  if (named_in_environment_) {
    const char* named = std::getenv(kScratchDatabasesVariable);
    if (named != nullptr && path_ == named) unsetenv(kScratchDatabasesVariable);
  }
  // A folder that cannot be removed is left behind for a later run to remove;
  // the command's result stands either way, and a destructor has no one to
  // tell.
  std::error_code ignored;
  fs::remove_all(path_, ignored);
  close(lock_);
}

}  // namespace odbdiff
