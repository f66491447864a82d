#include "heap_huge_pages.h"  // AdviseHugePages

#include <sys/mman.h>  // madvise, MADV_HUGEPAGE

#include <cstdint>  // std::uintptr_t

namespace odbdiff::python {

void AdviseHugePages(void* low, void* high) {
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  const auto start = (reinterpret_cast<std::uintptr_t>(low) + kHugePage - 1) / kHugePage * kHugePage;
  const auto end = reinterpret_cast<std::uintptr_t>(high) / kHugePage * kHugePage;
  if (end <= start) return;
  // Refused (no transparent huge pages): the heap keeps small pages.
  madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

}  // namespace odbdiff::python
