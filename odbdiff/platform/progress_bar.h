// A progress bar on standard error for a terminal:
//   "[##########--------------------] 120/360 objects"
// redrawn in place with a carriage return.
#ifndef ODBDIFF_PLATFORM_PROGRESS_BAR_H_
#define ODBDIFF_PLATFORM_PROGRESS_BAR_H_

#include <chrono>   // std::chrono::steady_clock
#include <cstddef>  // std::size_t

namespace odbdiff {

class ProgressBar {
 public:
  // Draws the bar at 0 of `total`.
  explicit ProgressBar(std::size_t total);

  // Counts one more done. Redraws at most every 100 ms, and when the total
  // is reached, so that a fast run spends no time drawing.
  void Advance();

  // Blanks the bar's line, so that a line of other output can take it.
  void Clear();

  // Draws the bar again, after Clear.
  void Draw();

  // Draws the final state and ends the line.
  void Finish();

 private:
  std::size_t total_;
  std::size_t done_ = 0;
  std::chrono::steady_clock::time_point last_drawn_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_PLATFORM_PROGRESS_BAR_H_
