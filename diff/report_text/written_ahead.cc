#include "diff/report_text/written_ahead.h"

#include <new>           // std::bad_alloc, text that found no memory
#include <system_error>  // std::system_error when no thread can start
#include <utility>       // std::move

namespace diff::report_text {
namespace {

// The writing's stream hands its text over in pieces of this size.
constexpr std::size_t kStreamBuffer = std::size_t{1} << 16;

}  // namespace

WrittenAhead::WrittenAhead(Write write, std::size_t held_limit)
    : write_(std::move(write)), held_limit_(held_limit) {
  buffer_ = std::make_unique_for_overwrite<char[]>(kStreamBuffer);
  const cookie_io_functions_t functions{nullptr, &WrittenAhead::hold, nullptr, nullptr};
  stream_ = fopencookie(this, "w", functions);
  if (stream_ == nullptr) return;
  // Should stdio refuse the buffer, it keeps its own: more handovers, not wrong.
  std::setvbuf(stream_, buffer_.get(), _IOFBF, kStreamBuffer);
  try {
    thread_ = std::thread(&WrittenAhead::run, this);
  } catch (const std::system_error&) {
    std::fclose(stream_);
    stream_ = nullptr;
  }
}

WrittenAhead::~WrittenAhead() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void WrittenAhead::run() {
  std::exception_ptr failure;
  try {
    write_(stream_, stopping_);
  } catch (...) {
    failure = std::current_exception();
  }
  // Closing writes out the stream's last piece.
  const bool lost = std::fclose(stream_) != 0 || out_of_memory_;
  if (lost && failure == nullptr && !stopping_) failure = std::make_exception_ptr(std::bad_alloc());
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ended_ = true;
    failure_ = failure;
  }
  changed_.notify_all();
}

ssize_t WrittenAhead::hold(void* self_pointer, const char* bytes, std::size_t size) {
  WrittenAhead& self = *static_cast<WrittenAhead*>(self_pointer);
  {
    std::unique_lock<std::mutex> lock(self.mutex_);
    self.changed_.wait(lock,
                       [&] { return self.stopping_ || self.held_.size() < self.held_limit_; });
    if (self.stopping_) return -1;
    // No exception may pass through stdio: a piece that finds no memory
    // fails the stream, and the writing with it.
    try {
      self.held_.append(bytes, size);
    } catch (const std::bad_alloc&) {
      self.out_of_memory_ = true;
      return -1;
    }
  }
  self.changed_.notify_all();
  return static_cast<ssize_t>(size);
}

void WrittenAhead::hand_over(std::FILE* file) {
  std::string taken;
  for (bool ended = false; !ended;) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [this] { return ended_ || !held_.empty(); });
      taken.clear();
      taken.swap(held_);
      ended = ended_;
    }
    changed_.notify_all();
    // Once the file has failed nothing more is written; its owner learns
    // of it when it commits.
    if (!std::ferror(file)) std::fwrite(taken.data(), 1, taken.size(), file);
  }
  thread_.join();
  if (failure_ != nullptr) std::rethrow_exception(failure_);
}

}  // namespace diff::report_text
