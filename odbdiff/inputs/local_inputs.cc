#include "inputs/local_inputs.h"  // LocalInputs, IsStandardInput

#include <fcntl.h>     // open, O_RDONLY, O_WRONLY, O_CREAT, O_EXCL, O_CLOEXEC
#include <sys/stat.h>  // stat, S_ISREG
#include <unistd.h>    // read, write, close, STDIN_FILENO

#include <cerrno>      // errno, EINTR
#include <filesystem>  // std::filesystem::temp_directory_path

#include "diff/host/object_database.h"   // CvxODB, to check the copy
#include "inputs/input_file_read.h"      // RefuseCharacterDevice
#include "inputs/object_file_failure.h"  // ObjectFileFailure
#include "platform/failure.h"            // Failure, SystemErrorText

namespace odbdiff {
namespace {

// Closes a file descriptor when it goes.
class OpenFile {
 public:
  explicit OpenFile(int fd) : fd_(fd) {}
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  ~OpenFile() {
    if (fd_ > STDIN_FILENO) close(fd_);
  }
  int fd() const { return fd_; }
  // Closes now; false when the system reports a write it could not finish.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

// Copies everything `from` gives into `to`; `shown` names the input in messages.
void CopyAll(int from, int to, const std::string& shown) {
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = read(from, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw Failure(shown, "cannot be read: " + SystemErrorText(errno));
    if (got == 0) return;
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = write(to, buffer + done, static_cast<std::size_t>(got - done));
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) {
        throw Failure(shown, "cannot be copied to a temporary file: " +
                                 (put < 0 ? SystemErrorText(errno) : std::string("disk full")));
      }
      done += put;
    }
  }
}

}  // namespace

bool IsStandardInput(const std::string& path) { return path == "-"; }

std::string LocalInputs::Local(const std::string& path) {
  const bool standard_input = IsStandardInput(path);
  all_.push_back(standard_input ? "/dev/stdin" : path);
  struct stat info {};
  if (!standard_input && (stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode) ||
                          S_ISDIR(info.st_mode))) {
    return path;
  }
  const OpenFile input(standard_input ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (input.fd() < 0) throw Failure(path, "cannot be read: " + SystemErrorText(errno));
  // A device such as /dev/zero would be copied until the disk is full.
  RefuseCharacterDevice(input.fd(), path);
  if (!folder_) folder_.emplace(std::filesystem::temp_directory_path(), kTemporaryFolderPrefix);
  const std::string copy =
      (folder_->path() / ("input-" + std::to_string(++copies_) + ".odb")).string();
  {
    OpenFile output(open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (output.fd() < 0) {
      throw Failure(path, "cannot be copied to a temporary file: " + SystemErrorText(errno));
    }
    CopyAll(input.fd(), output.fd(), path);
    if (!output.Close()) {
      throw Failure(path, "cannot be copied to a temporary file: " + SystemErrorText(errno));
    }
  }
  all_.push_back(copy);
  CvxODB database(0, copy.c_str(), 0);
  if (database.Open(1) == 0) throw ObjectFileFailure(path, database, "not an object file");
  database.Close(0);
  return copy;
}

}  // namespace odbdiff
