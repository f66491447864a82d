#include "platform/speed_ups.h"  // SpeedUps

#include <malloc.h>  // malloc_trim before the write processes start

#include <filesystem>    // std::filesystem::file_size
#include <system_error>  // std::error_code

#include "platform/huge_page_heap.h"    // RestartWithHugePageHeap
#include "platform/worker_processes.h"  // RunTasks, ProcessorCount

namespace odbdiff {
namespace {

// The size of the file at `path`; 0 when it cannot be told.
std::size_t FileSize(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return error ? 0 : static_cast<std::size_t>(size);
}

}  // namespace

void SpeedUps::StartProcess(char** argv) { RestartWithHugePageHeap(argv); }

SpeedUps::SpeedUps(const std::string& file_a, const std::string& file_b)
    : read_ahead_({file_a, file_b}),
      prefault_(ExpectedHeapGrowth(FileSize(file_a) + FileSize(file_b))) {}

void SpeedUps::ComparisonDone() {
  prefault_.Finish();
  read_ahead_.Finish();
}

void SpeedUps::RunWrites(const std::vector<std::function<void()>>& writes,
                         bool side_by_side) const {
  const int jobs = side_by_side ? ProcessorCount() : 1;
  // What the comparison freed goes back to the kernel first: each process
  // takes memory from the heap it inherits, and every first write to a page
  // shared with the parent would copy that page (at 1M objects the copying
  // made two report processes together slower than one after the other).
  if (jobs > 1 && writes.size() > 1) malloc_trim(0);
  RunTasks(writes.size(), jobs, [&](std::size_t which) {
    writes[which]();
    return true;
  });
}

}  // namespace odbdiff
