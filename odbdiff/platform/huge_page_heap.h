// The heap in transparent huge pages. A comparison of large files fills
// hundreds of megabytes of heap; on machines where the kernel gives huge
// pages only to memory that asks for them, each 4 KiB page of it costs a
// page fault of its own, which made up a sixth of a large comparison's
// processor time. glibc's malloc asks for huge pages when its tunable
// glibc.malloc.hugetlb is 1, and reads tunables only when a process starts.
#ifndef ODBDIFF_PLATFORM_HUGE_PAGE_HEAP_H_
#define ODBDIFF_PLATFORM_HUGE_PAGE_HEAP_H_

namespace odbdiff {

// Starts odbdiff anew, with the same arguments, with glibc.malloc.hugetlb=1
// added to GLIBC_TUNABLES, unless GLIBC_TUNABLES already sets that tunable
// (so a user can set it to 0, and the new start does not start again) or
// the kernel gives no huge pages. Returns when odbdiff runs on as it is.
void RestartWithHugePageHeap(char** argv);

}  // namespace odbdiff

#endif  // ODBDIFF_PLATFORM_HUGE_PAGE_HEAP_H_
