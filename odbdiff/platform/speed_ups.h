// What makes a comparison of large files fast on top of the comparison
// itself, in one place, so that a command reads as the comparison it runs:
//   - the heap in huge pages (odbdiff starts anew with glibc's tunable set);
//   - both input files read ahead into the page cache;
//   - the heap's fresh memory faulted in on another core;
//   - the outputs written from the difference databases side by side, each
//     in a process of its own.
// None of them changes what is written; each does nothing where the system
// offers no way to.
#ifndef ODBDIFF_PLATFORM_SPEED_UPS_H_
#define ODBDIFF_PLATFORM_SPEED_UPS_H_

#include <functional>  // std::function
#include <string>      // std::string
#include <vector>      // std::vector

#include "platform/heap_prefault.h"     // HeapPrefault
#include "platform/input_read_ahead.h"  // InputReadAhead

namespace odbdiff {

class SpeedUps {
 public:
  // At the very start of odbdiff: returns when odbdiff runs on as it is,
  // its heap in huge pages where the kernel gives them.
  static void StartProcess(char** argv);

  // Starts reading A and B ahead and faulting in the heap their comparison
  // will take.
  SpeedUps(const std::string& file_a, const std::string& file_b);

  // Right after the comparison: waits for the helper threads, so that
  // processes may be forked.
  void ComparisonDone();

  // Runs `writes`, which only read the finished comparison's difference
  // databases: side by side, each in a process of its own, when
  // `side_by_side` (no order of lines on standard output to keep), else one
  // after the other. A failure is the one the first write in order would
  // have met. No database may be open: a process must not use an SQLite
  // connection that its parent opened.
  void RunWrites(const std::vector<std::function<void()>>& writes, bool side_by_side) const;

 private:
  InputReadAhead read_ahead_;
  HeapPrefault prefault_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_PLATFORM_SPEED_UPS_H_
