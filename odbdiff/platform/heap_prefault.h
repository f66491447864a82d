// The heap's fresh memory made ready on another core. A comparison of large
// files grows its heap by hundreds of megabytes while it lists both files'
// objects on one thread, and the first write to each new page makes the
// kernel find and zero it: on a virtual machine about a second of that
// thread's time for a million objects. A prefault grows the heap once by an
// estimate of what the comparison will use and has a thread of its own
// fault that memory in (MADV_POPULATE_WRITE: contents are left alone) from
// the top down, while the comparison takes it from the bottom up.
#ifndef ODBDIFF_PLATFORM_HEAP_PREFAULT_H_
#define ODBDIFF_PLATFORM_HEAP_PREFAULT_H_

#include <cstddef>  // std::size_t
#include <thread>   // std::thread

namespace odbdiff {

class HeapPrefault {
 public:
  // Reserves about `bytes` at the heap's top and starts faulting them in.
  // Does nothing where the C library or the kernel offers no way to (the
  // comparison then faults its pages in itself, as without a prefault).
  explicit HeapPrefault(std::size_t bytes);
  HeapPrefault(const HeapPrefault&) = delete;
  HeapPrefault& operator=(const HeapPrefault&) = delete;
  // Waits for the thread: no process may be forked while it runs.
  ~HeapPrefault();

  // Waits for the thread to end.
  void Finish();

 private:
  std::thread thread_;
};

// What a comparison of files of `input_bytes` in all grows its heap by: about
// a third of the files' size (a million objects of ten slots: 1.2 GB of
// files, 0.4 GB of heap), at most an eighth of the memory the machine has.
std::size_t ExpectedHeapGrowth(std::size_t input_bytes);

}  // namespace odbdiff

#endif  // ODBDIFF_PLATFORM_HEAP_PREFAULT_H_
