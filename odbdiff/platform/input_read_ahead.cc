#include "platform/input_read_ahead.h"  // InputReadAhead

#include <fcntl.h>     // open, posix_fadvise
#include <sys/stat.h>  // fstat, S_ISREG
#include <unistd.h>    // close

#include <algorithm>     // std::min
#include <cstddef>       // std::size_t
#include <functional>    // std::cref
#include <system_error>  // std::system_error when no thread can start
#include <utility>       // std::move

#include "platform/physical_memory.h"  // PhysicalMemory

namespace odbdiff {
namespace {

// Files smaller than this in all are read soon enough as they come.
constexpr std::size_t kSmallestReadAhead = std::size_t{16} << 20;
// The advice goes out in steps of the kernel's usual read-ahead window: it
// reads no more than one window (or the device's largest request) for each
// piece of advice, however long the range advised.
constexpr std::size_t kStep = std::size_t{128} << 10;

// The size of a regular file, or 0.
std::size_t RegularFileSize(int stat_result, const struct stat& status) {
  if (stat_result != 0 || !S_ISREG(status.st_mode) || status.st_size < 0) return 0;
  return static_cast<std::size_t>(status.st_size);
}

// Advises the kernel to read the files' first `budget` bytes in all.
void Advise(const std::vector<std::string>& paths, std::size_t budget,
            const std::atomic_bool& stop) {
  for (const std::string& path : paths) {
    // O_NONBLOCK: a path swapped for a FIFO since it was checked must not
    // hold the thread up; such a file is no regular file and is skipped.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) continue;
    struct stat status;
    const std::size_t size = std::min(RegularFileSize(fstat(fd, &status), status), budget);
    for (std::size_t offset = 0; offset < size && !stop; offset += kStep) {
      const std::size_t length = std::min(kStep, size - offset);
      if (posix_fadvise(fd, static_cast<off_t>(offset), static_cast<off_t>(length),
                        POSIX_FADV_WILLNEED) != 0) {
        break;
      }
    }
    budget -= size;
    close(fd);  // a read-only descriptor: nothing to lose when closing fails
  }
}

}  // namespace

InputReadAhead::InputReadAhead(std::vector<std::string> paths) {
  std::size_t total = 0;
  for (const std::string& path : paths) {
    struct stat status;
    total += RegularFileSize(stat(path.c_str(), &status), status);
  }
  if (total < kSmallestReadAhead) return;
  try {
    thread_ = std::thread(Advise, std::move(paths), PhysicalMemory() / 4, std::cref(stop_));
  } catch (const std::system_error&) {
    // Without a thread, the files are read as they come.
  }
}

InputReadAhead::~InputReadAhead() {
  stop_ = true;
  Finish();
}

void InputReadAhead::Finish() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace odbdiff
