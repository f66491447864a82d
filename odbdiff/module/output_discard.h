// Dropping what the process writes to file descriptor 1 (the diff module
// prints a line per object there): while a discard lives, descriptor 1 is
// /dev/null. Cheaper than capturing lines only to drop them: a million lines
// through a pipe kept a reader thread waking beside a busy comparison.
#ifndef ODBDIFF_MODULE_OUTPUT_DISCARD_H_
#define ODBDIFF_MODULE_OUTPUT_DISCARD_H_

namespace odbdiff {

class OutputDiscard {
 public:
  // Starts the discard. Throws Failure when /dev/null cannot be opened or the
  // descriptors cannot be set up; descriptor 1 is then as it was.
  OutputDiscard();
  OutputDiscard(const OutputDiscard&) = delete;
  OutputDiscard& operator=(const OutputDiscard&) = delete;
  ~OutputDiscard();

  // Flushes stdout into /dev/null and gives descriptor 1 back. Later calls do
  // nothing.
  void Stop();

 private:
  int original_output_ = -1;
};

}  // namespace odbdiff

#endif  // ODBDIFF_MODULE_OUTPUT_DISCARD_H_
