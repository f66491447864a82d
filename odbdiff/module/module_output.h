// What becomes of the lines the diff module prints on standard output while
// it works:
//   - standard output is no terminal: they go there unchanged (nothing is
//     redirected);
//   - --quiet: they go to /dev/null;
//   - --verbose on a terminal: they are captured and passed on with every
//     byte that could act on the terminal escaped (AppendTerminalSafe): the
//     lines name objects and files, which may hold any byte but NUL;
//   - otherwise (a terminal): the "Processing Object ..." lines are captured
//     and counted by a progress bar on standard error, and the other lines go
//     on to standard output, escaped as with --verbose.
#ifndef ODBDIFF_MODULE_MODULE_OUTPUT_H_
#define ODBDIFF_MODULE_MODULE_OUTPUT_H_

#include <cstddef>      // std::size_t
#include <optional>     // std::optional
#include <string_view>  // std::string_view

#include "module/output_capture.h"  // OutputCapture
#include "module/output_discard.h"  // OutputDiscard
#include "platform/progress_bar.h"  // ProgressBar

namespace odbdiff {

enum class OutputMode { kDirect, kSilent, kEscaped, kProgressBar };

// The mode for the options given and the standard output odbdiff has.
OutputMode ChooseOutputMode(bool quiet, bool verbose);

class ModuleOutput {
 public:
  // Starts handling the module's output in `mode`. `object_total` is the
  // bar's total and matters only in kProgressBar. Throws Failure when the
  // output cannot be captured.
  ModuleOutput(OutputMode mode, std::size_t object_total);
  ModuleOutput(const ModuleOutput&) = delete;
  ModuleOutput& operator=(const ModuleOutput&) = delete;
  ~ModuleOutput() = default;

  // Ends the handling and completes the bar. Throws Failure when a line could
  // not be passed on to standard output.
  void Finish();

 private:
  void OnLine(std::string_view line);

  std::optional<ProgressBar> bar_;
  bool pass_on_failed_ = false;         // written by the capture's reader thread
  std::optional<OutputDiscard> discard_;
  std::optional<OutputCapture> capture_;  // last: stopped before the rest goes
};

}  // namespace odbdiff

#endif  // ODBDIFF_MODULE_MODULE_OUTPUT_H_
