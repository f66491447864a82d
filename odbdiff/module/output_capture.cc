#include "module/output_capture.h"  // OutputCapture

#include <fcntl.h>   // fcntl, F_DUPFD_CLOEXEC, O_CLOEXEC
#include <unistd.h>  // pipe2, dup2, read, close, STDOUT_FILENO

#include <cerrno>  // errno, EINTR
#include <cstdio>  // std::fflush, stdout
#include <string>  // std::string for a line in pieces

#include "platform/failure.h"  // Failure, SystemErrorText

namespace odbdiff {
namespace {

void CloseQuietly(int fd) {
  if (fd >= 0) close(fd);  // nothing was written through it that a failed close could lose
}

}  // namespace

OutputCapture::OutputCapture(LineHandler handler) : handler_(std::move(handler)) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) {
    throw Failure("standard output", "cannot make a pipe: " + SystemErrorText(errno));
  }
  std::fflush(stdout);  // what stdio holds belongs before the capture
  original_output_ = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
  if (original_output_ < 0 || dup2(ends[1], STDOUT_FILENO) < 0) {
    const int error = errno;
    CloseQuietly(ends[0]);
    CloseQuietly(ends[1]);
    CloseQuietly(original_output_);
    throw Failure("standard output", "cannot capture it: " + SystemErrorText(error));
  }
  // Descriptor 1 is now the only write end, so giving it back ends the pipe.
  close(ends[1]);
  read_end_ = ends[0];
  reader_ = std::thread([this] { ReadLines(); });
}

OutputCapture::~OutputCapture() { Stop(); }

void OutputCapture::Stop() {
  if (!reader_.joinable()) return;
  std::fflush(stdout);
  // Should this fail, descriptor 1 stays the pipe; closing it still ends the reader.
  if (dup2(original_output_, STDOUT_FILENO) < 0) close(STDOUT_FILENO);
  reader_.join();
  CloseQuietly(read_end_);
  CloseQuietly(original_output_);
  read_end_ = -1;
  original_output_ = -1;
}

void OutputCapture::ReadLines() {
  std::string pending;  // the start of a line whose newline has not come yet
  char buffer[4096];
  auto hand_over = [this](std::string_view line) {
    try {
      handler_(line);
    } catch (...) {
      handler_failed_ = true;
    }
  };
  for (;;) {
    const ssize_t got = read(read_end_, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    std::string_view chunk(buffer, static_cast<std::size_t>(got));
    for (std::size_t newline; (newline = chunk.find('\n')) != std::string_view::npos;) {
      if (pending.empty()) {
        hand_over(chunk.substr(0, newline + 1));
      } else {
        pending.append(chunk.substr(0, newline + 1));
        hand_over(pending);
        pending.clear();
      }
      chunk.remove_prefix(newline + 1);
    }
    pending.append(chunk);
  }
  if (!pending.empty()) hand_over(pending);
}

}  // namespace odbdiff
