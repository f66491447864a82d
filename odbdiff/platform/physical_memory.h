// The machine's memory, which bounds what odbdiff takes ahead of need.
#ifndef ODBDIFF_PLATFORM_PHYSICAL_MEMORY_H_
#define ODBDIFF_PLATFORM_PHYSICAL_MEMORY_H_

#include <unistd.h>  // sysconf

#include <cstddef>  // std::size_t

namespace odbdiff {

// The machine's memory in bytes, or 0 when the system does not tell.
inline std::size_t PhysicalMemory() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long page_size = sysconf(_SC_PAGESIZE);
  return pages > 0 && page_size > 0 ? static_cast<std::size_t>(pages) * page_size : 0;
}

}  // namespace odbdiff

#endif  // ODBDIFF_PLATFORM_PHYSICAL_MEMORY_H_
