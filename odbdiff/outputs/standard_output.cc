#include "outputs/standard_output.h"  // WriteStandardOutput, FinishStandardOutput

#include <cerrno>    // errno
#include <cstdio>    // std::fwrite, std::fflush, std::ferror, stdout
#include <iostream>  // std::cout, which CLI11 writes help to
#include <string>    // std::string

#include "platform/failure.h"  // Failure, SystemErrorText

namespace odbdiff {
namespace {

[[noreturn]] void FailWrite(int error) {
  throw Failure("standard output", error != 0 ? "write failed: " + SystemErrorText(error)
                                              : std::string("write failed"));
}

}  // namespace

void WriteStandardOutput(std::string_view text) {
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) FailWrite(errno);
}

void FinishStandardOutput() {
  errno = 0;
  std::cout.flush();
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0 || std::cout.fail()) FailWrite(errno);
}

}  // namespace odbdiff
