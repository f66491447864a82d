#include "inputs/input_file_read.h"  // RefuseCharacterDevice, ReadInputFile

#include <fcntl.h>     // open, O_RDONLY, O_CLOEXEC
#include <sys/stat.h>  // fstat, S_ISCHR, S_ISREG
#include <unistd.h>    // read, close, isatty

#include <cerrno>  // errno, EINTR

#include "platform/failure.h"  // Failure, SystemErrorText

namespace odbdiff {
namespace {

// Closes the descriptor when it goes; nothing is written through it.
class ReadDescriptor {
 public:
  explicit ReadDescriptor(int fd) : fd_(fd) {}
  ReadDescriptor(const ReadDescriptor&) = delete;
  ReadDescriptor& operator=(const ReadDescriptor&) = delete;
  ~ReadDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int fd() const { return fd_; }

 private:
  int fd_;
};

[[noreturn]] void TooLarge(const std::string& path, const InputLimit& limit) {
  throw Failure(path, std::string("larger than ") + limit.shown + ", the most " + limit.kind +
                          " may hold");
}

}  // namespace

void RefuseCharacterDevice(int fd, const std::string& shown) {
  struct stat info {};
  if (fstat(fd, &info) != 0) throw Failure(shown, SystemErrorText(errno));
  if (S_ISCHR(info.st_mode) && isatty(fd) == 0) {
    throw Failure(shown, "is a character device, not a file");
  }
}

std::string ReadInputFile(const std::string& path, const InputLimit& limit) {
  const ReadDescriptor input(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (input.fd() < 0) throw Failure(path, "cannot be read: " + SystemErrorText(errno));
  RefuseCharacterDevice(input.fd(), path);
  struct stat info {};
  if (fstat(input.fd(), &info) != 0) throw Failure(path, SystemErrorText(errno));
  std::string text;
  if (S_ISREG(info.st_mode)) {
    if (static_cast<std::size_t>(info.st_size) > limit.bytes) TooLarge(path, limit);
    text.reserve(static_cast<std::size_t>(info.st_size));
  }
  // A pipe, or a file that grows while it is read, is held to the bound too.
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = read(input.fd(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw Failure(path, "cannot be read: " + SystemErrorText(errno));
    if (got == 0) return text;
    if (static_cast<std::size_t>(got) > limit.bytes - text.size()) TooLarge(path, limit);
    text.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace odbdiff
