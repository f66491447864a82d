#include "stdio_discard.h"  // StdioDiscard

#include <cerrno>  // errno

#include "platform/failure.h"  // Failure, SystemErrorText

namespace odbdiff::python {
namespace {

ssize_t WriteNowhere(void* /*cookie*/, const char* /*bytes*/, size_t size) {
  return static_cast<ssize_t>(size);
}

// One stream for the process, never closed: a thread that took stdout just
// before it was put back may still be writing to it.
FILE* Nowhere() {
  static FILE* const stream = fopencookie(nullptr, "w", {nullptr, WriteNowhere, nullptr, nullptr});
  return stream;
}

}  // namespace

StdioDiscard::StdioDiscard() : former_(stdout) {
  FILE* const nowhere = Nowhere();
  if (nowhere == nullptr) {
    throw Failure("standard output", "cannot make a stream to discard the module's lines: " +
                                         SystemErrorText(errno));
  }
  std::fflush(stdout);  // what C's stdout holds belongs before the discard
  stdout = nowhere;
}

StdioDiscard::~StdioDiscard() {
  std::fflush(stdout);
  stdout = former_;
}

}  // namespace odbdiff::python
