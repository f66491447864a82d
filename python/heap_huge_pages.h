// The heap that a comparison grows, in transparent huge pages. odbdiff
// starts its process with glibc's tunable glibc.malloc.hugetlb=1, which a
// Python process has not: here the stretch that the heap prefault of
// SpeedUps adds is advised to the kernel instead (a seventh less processor
// time for a million objects, as for odbdiff).
#ifndef ODBDIFF_PYTHON_HEAP_HUGE_PAGES_H_
#define ODBDIFF_PYTHON_HEAP_HUGE_PAGES_H_

namespace odbdiff::python {

// Advises MADV_HUGEPAGE for the whole huge pages in [low, high); does
// nothing where the kernel refuses.
void AdviseHugePages(void* low, void* high);

}  // namespace odbdiff::python

#endif  // ODBDIFF_PYTHON_HEAP_HUGE_PAGES_H_
