#include "platform/huge_page_heap.h"

#include <limits.h>  // PATH_MAX
#include <stdlib.h>  // getenv, setenv, unsetenv
#include <unistd.h>  // execv, readlink

#include <fstream>  // std::ifstream for the kernel's setting
#include <string>   // std::string

namespace odbdiff {
namespace {

constexpr char kTunables[] = "GLIBC_TUNABLES";
constexpr char kHugeTlb[] = "glibc.malloc.hugetlb";

// Whether the kernel gives transparent huge pages to memory that asks:
// its setting is "always" or "madvise", not "never".
bool KernelGivesHugePages() {
  std::ifstream setting("/sys/kernel/mm/transparent_hugepage/enabled");
  std::string text;
  std::getline(setting, text);
  return text.find("[always]") != std::string::npos ||
         text.find("[madvise]") != std::string::npos;
}

}  // namespace

void RestartWithHugePageHeap(char** argv) {
  const char* tunables = getenv(kTunables);
  const std::string given = tunables != nullptr ? tunables : "";
  if (given.find(kHugeTlb) != std::string::npos || !KernelGivesHugePages()) return;
  const std::string wanted = (given.empty() ? "" : given + ":") + kHugeTlb + "=1";
  // The program's own path rather than /proc/self/exe itself: under a
  // tool such as valgrind, only the path names odbdiff.
  char program[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", program, sizeof program - 1);
  if (length <= 0) return;
  program[length] = '\0';
  if (setenv(kTunables, wanted.c_str(), 1) != 0) return;
  execv(program, argv);
  // Not started anew (no /proc, say): run on with the heap as it is, and
  // leave the environment of the programs odbdiff starts as it was.
  if (tunables != nullptr) {
    setenv(kTunables, given.c_str(), 1);
  } else {
    unsetenv(kTunables);
  }
}

}  // namespace odbdiff
