// The input files read into the kernel's page cache ahead of the comparison.
// SQLite reads an object file a 4 KiB page at a time, in the order of its
// B-trees, which for a file built in no particular order is all over the
// file: when the file is not in the page cache, each of those reads waits
// for the disk on its own (a million objects: 3 to 5 s more than with the
// files cached). Advice to the kernel (POSIX_FADV_WILLNEED) reads the files
// front to back in large requests instead, while the comparison starts.
#ifndef ODBDIFF_PLATFORM_INPUT_READ_AHEAD_H_
#define ODBDIFF_PLATFORM_INPUT_READ_AHEAD_H_

#include <atomic>  // std::atomic_bool
#include <string>  // std::string
#include <thread>  // std::thread
#include <vector>  // std::vector

namespace odbdiff {

class InputReadAhead {
 public:
  // Starts advising the kernel to read `paths`, regular files only, up to a
  // quarter of the machine's memory in all. Advice only: a file that cannot
  // be opened or advised is left to be read as it comes.
  explicit InputReadAhead(std::vector<std::string> paths);
  InputReadAhead(const InputReadAhead&) = delete;
  InputReadAhead& operator=(const InputReadAhead&) = delete;
  // Stops giving advice and waits for the thread.
  ~InputReadAhead();

  // Waits for the thread to give all its advice: no process may be forked
  // while it runs. The reads asked for go on in the kernel.
  void Finish();

 private:
  std::atomic_bool stop_{false};
  std::thread thread_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_PLATFORM_INPUT_READ_AHEAD_H_
