// Text written on a thread of its own while the caller writes what goes
// before it, handed over in order once the caller gets there. The detailed
// report's sections after the identical objects read only the object files,
// and the identical objects only the difference databases: the two parts
// take a core each. At most a bounded amount of text waits in memory; the
// thread pauses until the caller takes it.
#ifndef DIFF_REPORT_TEXT_WRITTEN_AHEAD_H_
#define DIFF_REPORT_TEXT_WRITTEN_AHEAD_H_

#include <sys/types.h>  // ssize_t, the stream's answer

#include <atomic>              // std::atomic<bool>, the stop asked of the writing
#include <condition_variable>  // std::condition_variable between the threads
#include <cstddef>             // std::size_t
#include <cstdio>              // std::FILE, fopencookie
#include <exception>           // std::exception_ptr, the writing's failure
#include <functional>          // std::function, the writing
#include <memory>              // std::unique_ptr of the stream's buffer
#include <mutex>               // std::mutex
#include <string>              // std::string, the text waiting
#include <thread>              // std::thread

namespace diff::report_text {

class WrittenAhead {
 public:
  // Writes to `file`; should end soon once `stopping` turns true (what it
  // writes then is dropped).
  using Write = std::function<void(std::FILE* file, const std::atomic<bool>& stopping)>;

  // Starts `write` on a thread, which pauses whenever `held_limit` bytes
  // wait. When no thread or stream can be had, nothing starts: started()
  // is false and the caller writes for itself.
  WrittenAhead(Write write, std::size_t held_limit);
  WrittenAhead(const WrittenAhead&) = delete;
  WrittenAhead& operator=(const WrittenAhead&) = delete;
  // Stops the writing and waits for it.
  ~WrittenAhead();

  bool started() const { return thread_.joinable(); }

  // Copies the text into `file` as it comes, until the writing ends, then
  // throws what the writing threw, if anything. Call once, when started().
  void hand_over(std::FILE* file);

 private:
  static ssize_t hold(void* self, const char* bytes, std::size_t size);
  void run();

  Write write_;
  const std::size_t held_limit_;
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::condition_variable changed_;
  std::string held_;        // written, not yet handed over
  bool ended_ = false;
  bool out_of_memory_ = false;  // a piece was lost for want of memory
  std::exception_ptr failure_;
  std::unique_ptr<char[]> buffer_;  // the stream's, for fewer handovers
  std::FILE* stream_ = nullptr;     // the writing's end
  std::thread thread_;  // declared last: starts once the rest exists
};

}  // namespace diff::report_text

#endif  // DIFF_REPORT_TEXT_WRITTEN_AHEAD_H_
