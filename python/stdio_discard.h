// Dropping what the diff module prints with printf (a "Processing Object"
// line per object) while it compares inside a Python process: while a
// discard lives, C's stdout stream is one that writes nowhere. odbdiff sends
// descriptor 1 to /dev/null instead (module/output_discard.h); here that
// would also swallow what the Python program prints between two
// differences, since Python writes to descriptor 1 without C's stdout.
// glibc lets a program set stdout like any other variable.
#ifndef ODBDIFF_PYTHON_STDIO_DISCARD_H_
#define ODBDIFF_PYTHON_STDIO_DISCARD_H_

#include <cstdio>  // FILE

namespace odbdiff::python {

class StdioDiscard {
 public:
  // Throws Failure when the stream cannot be made.
  StdioDiscard();
  StdioDiscard(const StdioDiscard&) = delete;
  StdioDiscard& operator=(const StdioDiscard&) = delete;
  // Puts the former stdout back.
  ~StdioDiscard();

 private:
  FILE* former_;
};

}  // namespace odbdiff::python

#endif  // ODBDIFF_PYTHON_STDIO_DISCARD_H_
