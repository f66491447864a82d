#include "module/module_output.h"  // ChooseOutputMode, ModuleOutput

#include <unistd.h>  // isatty, write, STDOUT_FILENO

#include <cerrno>  // errno, EINTR
#include <cstdio>  // std::setvbuf, stdout, _IOLBF
#include <string>  // std::string, a line made safe

#include "platform/failure.h"        // Failure
#include "platform/terminal_safe.h"  // AppendTerminalSafe

namespace odbdiff {
namespace {

constexpr std::string_view kProcessingLine = "Processing Object ";

// Writes all of `text` to `fd`; false when that fails.
bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

OutputMode ChooseOutputMode(bool quiet, bool verbose) {
  if (quiet) return OutputMode::kSilent;
  if (isatty(STDOUT_FILENO) == 0) return OutputMode::kDirect;
  return verbose ? OutputMode::kEscaped : OutputMode::kProgressBar;
}

ModuleOutput::ModuleOutput(OutputMode mode, std::size_t object_total) {
  switch (mode) {
    case OutputMode::kDirect:
      return;
    case OutputMode::kSilent:
      discard_.emplace();
      return;
    case OutputMode::kEscaped:
      std::setvbuf(stdout, nullptr, _IOLBF, 0);
      capture_.emplace([this](std::string_view line) { OnLine(line); });
      return;
    case OutputMode::kProgressBar:
      // A pipe would make stdio buffer whole blocks; the bar should move
      // with every line.
      std::setvbuf(stdout, nullptr, _IOLBF, 0);
      bar_.emplace(object_total);
      capture_.emplace([this](std::string_view line) { OnLine(line); });
      return;
  }
}

void ModuleOutput::OnLine(std::string_view line) {
  if (bar_ && line.starts_with(kProcessingLine)) {
    bar_->Advance();
    return;
  }
  const bool ended = line.ends_with('\n');
  if (ended) line.remove_suffix(1);
  std::string shown;
  AppendTerminalSafe(line, shown);
  if (ended) shown += '\n';
  if (bar_) bar_->Clear();
  if (!WriteAll(capture_->original_output(), shown)) pass_on_failed_ = true;
  if (bar_) bar_->Draw();
}

void ModuleOutput::Finish() {
  if (discard_) discard_->Stop();
  if (!capture_) return;
  capture_->Stop();
  if (bar_) bar_->Finish();
  if (pass_on_failed_ || capture_->handler_failed()) {
    throw Failure("standard output", "cannot pass on the diff module's lines");
  }
}

}  // namespace odbdiff
