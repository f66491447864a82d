// Capturing what the process writes to file descriptor 1 (the diff module
// prints its lines there with printf): while a capture lives, descriptor 1 is
// a pipe, and a reader thread hands every line to a handler.
#ifndef ODBDIFF_MODULE_OUTPUT_CAPTURE_H_
#define ODBDIFF_MODULE_OUTPUT_CAPTURE_H_

#include <functional>   // std::function
#include <string_view>  // std::string_view
#include <thread>       // std::thread

namespace odbdiff {

class OutputCapture {
 public:
  // Receives each line with its newline; the last piece of output may come
  // without one. Runs on the reader thread. An exception from it is counted
  // as a failure and the reading goes on, so the writer never blocks.
  using LineHandler = std::function<void(std::string_view line)>;

  // Starts the capture. Throws Failure when the pipe or descriptors cannot be
  // set up; descriptor 1 is then as it was.
  explicit OutputCapture(LineHandler handler);
  OutputCapture(const OutputCapture&) = delete;
  OutputCapture& operator=(const OutputCapture&) = delete;
  ~OutputCapture();

  // Flushes stdout into the pipe, gives descriptor 1 back and waits until the
  // handler has had every line. Later calls do nothing.
  void Stop();

  // The real standard output, for the handler to pass lines on to; valid
  // until Stop.
  int original_output() const { return original_output_; }

  // True when the handler threw for some line.
  bool handler_failed() const { return handler_failed_; }

 private:
  void ReadLines();

  LineHandler handler_;
  int original_output_ = -1;
  int read_end_ = -1;
  bool handler_failed_ = false;  // written by the reader, read after it is joined
  std::thread reader_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_MODULE_OUTPUT_CAPTURE_H_
