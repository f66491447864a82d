#include "module/output_discard.h"  // OutputDiscard

#include <fcntl.h>   // open, fcntl, O_WRONLY, O_CLOEXEC, F_DUPFD_CLOEXEC
#include <unistd.h>  // dup2, close, STDOUT_FILENO

#include <cerrno>  // errno
#include <cstdio>  // std::fflush, stdout

#include "platform/failure.h"  // Failure, SystemErrorText

namespace odbdiff {

OutputDiscard::OutputDiscard() {
  const int null_output = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (null_output < 0) {
    throw Failure("/dev/null", "cannot be opened: " + SystemErrorText(errno));
  }
  std::fflush(stdout);  // what stdio holds belongs before the discard
  original_output_ = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
  const bool redirected = original_output_ >= 0 && dup2(null_output, STDOUT_FILENO) >= 0;
  const int error = errno;
  close(null_output);  // nothing was written through it
  if (!redirected) {
    if (original_output_ >= 0) close(original_output_);
    original_output_ = -1;
    throw Failure("standard output", "cannot redirect it: " + SystemErrorText(error));
  }
}

OutputDiscard::~OutputDiscard() { Stop(); }

void OutputDiscard::Stop() {
  if (original_output_ < 0) return;
  std::fflush(stdout);
  // Should this fail, descriptor 1 stays /dev/null: later output is lost,
  // which FinishStandardOutput cannot see; closing it makes those writes fail.
  if (dup2(original_output_, STDOUT_FILENO) < 0) close(STDOUT_FILENO);
  close(original_output_);  // a duplicate: nothing was written through it
  original_output_ = -1;
}

}  // namespace odbdiff
