// The read-ahead of odbdiff's input files: a file the kernel has dropped from
// its page cache is back in it, whole, soon after the advice; paths that are
// no regular file (a FIFO, which a plain open would wait on forever) or that
// name nothing are passed over.
#include "platform/input_read_ahead.h"  // InputReadAhead

#include <fcntl.h>        // open, posix_fadvise
#include <gtest/gtest.h>  // TEST, EXPECT_*, ASSERT_*
#include <sys/mman.h>     // mmap, mincore, munmap
#include <sys/stat.h>     // mkfifo
#include <unistd.h>       // close, fdatasync, sysconf, usleep

#include <cstddef>  // std::size_t
#include <fstream>  // std::ofstream
#include <string>   // std::string
#include <vector>   // std::vector

#include "tests/support/temp_dir.h"  // diff::testing::TempDir

namespace odbdiff {
namespace {

// Pages of the file at `path` (`size` bytes) that are in the page cache.
std::size_t CachedPages(const std::string& path, std::size_t size) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return 0;
  void* map = mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
  close(fd);
  if (map == MAP_FAILED) return 0;
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  std::vector<unsigned char> resident((size + page - 1) / page);
  std::size_t cached = 0;
  if (mincore(map, size, resident.data()) == 0) {
    for (const unsigned char flags : resident) cached += flags & 1;
  }
  munmap(map, size);
  return cached;
}

TEST(InputReadAheadTest, BringsADroppedFileBackIntoThePageCache) {
  diff::testing::TempDir folder;
  const std::string fifo = folder.file("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string file = folder.file("large.odb");
  constexpr std::size_t kSize = std::size_t{40} << 20;  // more than one read-ahead window
  {
    std::ofstream out(file, std::ios::binary);
    const std::string chunk(1 << 20, 'x');
    for (std::size_t written = 0; written < kSize; written += chunk.size()) out << chunk;
  }
  const int fd = open(file.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  fdatasync(fd);
  posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);  // where the file system lets go of it
  close(fd);

  InputReadAhead read_ahead({folder.file("missing.odb"), fifo, file});
  read_ahead.Finish();
  const std::size_t pages = kSize / static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  // The reads go on in the kernel after the advice: wait for them, 10 s at most.
  std::size_t cached = CachedPages(file, kSize);
  for (int wait = 0; wait < 1000 && cached < pages; ++wait) {
    usleep(10000);
    cached = CachedPages(file, kSize);
  }
  EXPECT_EQ(cached, pages);
}

}  // namespace
}  // namespace odbdiff
