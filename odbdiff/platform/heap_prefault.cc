#include "platform/heap_prefault.h"  // HeapPrefault, ExpectedHeapGrowth

#include <malloc.h>    // mallopt, M_TOP_PAD
#include <sys/mman.h>  // madvise
#include <unistd.h>    // sbrk, sysconf

#include <algorithm>     // std::min, std::max
#include <cstdint>       // std::uintptr_t
#include <cstdlib>       // std::malloc, std::free
#include <system_error>  // std::system_error when no thread can start
#include <vector>        // std::vector of the blocks that grow the heap

#include "platform/physical_memory.h"  // PhysicalMemory

// Linux 5.14 and later; older kernels refuse it (EINVAL) and nothing is faulted in.
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif

namespace odbdiff {
namespace {

// Below this, a comparison's page faults cost too little to start a thread for.
constexpr std::size_t kSmallestPrefault = std::size_t{64} << 20;
// The thread faults in one huge page's worth at a time, so that it meets the
// comparison's own faults only where the two reach the same page.
constexpr std::size_t kStep = std::size_t{2} << 20;
// The blocks taken to make malloc grow the heap: below malloc's smallest
// threshold for blocks of their own mappings (128 KiB).
constexpr std::size_t kNudge = std::size_t{64} << 10;
constexpr std::size_t kMostNudges = 64;

char* AlignDown(char* address, std::size_t alignment) {
  const auto value = reinterpret_cast<std::uintptr_t>(address);
  return reinterpret_cast<char*>(value - value % alignment);
}

// Faults in [low, high) a step at a time from the top down. Stops at the
// first refusal: a kernel without MADV_POPULATE_WRITE, or a heap that shrank.
void FaultIn(char* low, char* high) {
  for (char* end = high; end > low;) {
    char* const start = std::max(low, AlignDown(end - 1, kStep));
    if (madvise(start, static_cast<std::size_t>(end - start), MADV_POPULATE_WRITE) != 0) return;
    end = start;
  }
}

}  // namespace

std::size_t ExpectedHeapGrowth(std::size_t input_bytes) {
  return std::min(input_bytes / 3, PhysicalMemory() / 8);
}

HeapPrefault::HeapPrefault(std::size_t bytes) {
  if (bytes < kSmallestPrefault) return;
  const long page_size = sysconf(_SC_PAGESIZE);
  if (page_size <= 0) return;
  char* const bottom = static_cast<char*>(sbrk(0));
  if (bottom == reinterpret_cast<char*>(-1)) return;
  // From here on, every growth of the heap adds `bytes`, and no shrinking
  // gives back the last `bytes`: the memory faulted in stays the heap's.
  if (mallopt(M_TOP_PAD, static_cast<int>(std::min<std::size_t>(bytes, 1u << 30))) == 0) return;
  std::vector<void*> nudges;
  nudges.reserve(kMostNudges);
  while (static_cast<char*>(sbrk(0)) == bottom && nudges.size() < kMostNudges) {
    void* block = std::malloc(kNudge);
    if (block == nullptr) break;
    nudges.push_back(block);
  }
  for (void* block : nudges) std::free(block);
  char* const top = static_cast<char*>(sbrk(0));  // freeing may have trimmed a little
  // The heap's first page past its old end holds malloc's record of the top
  // block; the thread starts above it.
  char* const low = AlignDown(bottom, static_cast<std::size_t>(page_size)) + page_size;
  if (top <= low) return;
  try {
    thread_ = std::thread(FaultIn, low, AlignDown(top, static_cast<std::size_t>(page_size)));
  } catch (const std::system_error&) {
    // Without a thread, the comparison faults its pages in itself.
  }
}

HeapPrefault::~HeapPrefault() { Finish(); }

void HeapPrefault::Finish() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace odbdiff
