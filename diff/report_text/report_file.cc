#include "diff/report_text/report_file.h"

#include <fcntl.h>     // open, O_TMPFILE, linkat, AT_FDCWD, sync_file_range
#include <sys/stat.h>  // stat, fchmod
#include <unistd.h>    // access, write, fsync, close, unlink

#include <cerrno>      // errno, EINTR, EEXIST
#include <cstdio>      // std::rename, fopencookie, std::setvbuf, std::fflush, std::ferror
#include <cstring>     // std::strerror
#include <filesystem>  // std::filesystem::path, the target's folder and name
#include <random>      // std::random_device, the hidden names

#include "diff/outcome/call_outcome.h"   // fail, DIFF_ERROR_*
#include "diff/outcome/file_identity.h"  // followed_path

namespace diff::report_text {
namespace {

// Tries at finding an unused hidden name before giving up.
constexpr int kNameAttempts = 100;

// ".<name>.diff-XXXXXX" in `folder`: hidden, and recognisably ours.
std::string hidden_name(const std::string& folder, const std::string& name) {
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  // Drawn from the system for each name: a generator kept per thread would
  // put kilobytes of thread-local state into a library that hosts dlopen,
  // whose dynamic TLS LeakSanitizer cannot always walk.
  std::random_device system_random;
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  std::string hidden = folder + "/." + name + ".diff-";
  for (int i = 0; i < 6; ++i) hidden.push_back(kLetters[pick(system_random)]);
  return hidden;
}

// File systems without nameless files answer O_TMPFILE with one of these.
bool nameless_files_unsupported(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

constexpr std::size_t kBufferSize = std::size_t{1} << 20;

// Written bytes after which the system is asked to start writing them to
// the disk, so that the sync at commit waits only for the last of them (a
// report of 130 MB waited 0.12 s for all of it).
constexpr off_t kWritebackStep = off_t{8} << 20;

}  // namespace

OutputFile::OutputFile(const char* path) {
  if (path == nullptr) fail(DIFF_ERROR_ARGUMENT, "an output path is missing");
  path_ = path;
  try {
    // The system follows every link of an existing file, including those
    // that name no path (a pipe behind /dev/stdout).
    struct stat status {};
    const bool exists = ::stat(path, &status) == 0;
    if (exists && !S_ISREG(status.st_mode)) {
      direct_ = true;
      descriptor_ = ::open(path, O_WRONLY | O_TRUNC | O_CLOEXEC);
      if (descriptor_ < 0) fail_with(errno);
    } else {
      // Renaming needs only the folder's permission: a file that may not be
      // written is not replaced either.
      if (exists && ::access(path, W_OK) != 0) fail_with(errno);
      target_ = followed_path(path);
      const std::filesystem::path target(target_);
      folder_ = target.has_parent_path() ? target.parent_path().string() : ".";
      open_new_file(exists ? static_cast<int>(status.st_mode & 07777) : -1);
    }
    const cookie_io_functions_t functions{nullptr, &OutputFile::write_through, nullptr, nullptr};
    stream_ = fopencookie(this, "w", functions);
    if (stream_ == nullptr) fail_with(errno);
    buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
    // Should stdio refuse the buffer, it keeps its own: slower, not wrong.
    std::setvbuf(stream_, buffer_.get(), _IOFBF, kBufferSize);
  } catch (...) {
    discard();
    throw;
  }
}

OutputFile::~OutputFile() { discard(); }

void OutputFile::open_new_file(int mode) {
  descriptor_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (descriptor_ < 0) {
    if (!nameless_files_unsupported(errno)) fail_with(errno);
    const std::string name = std::filesystem::path(target_).filename().string();
    for (int attempt = 1; descriptor_ < 0; ++attempt) {
      const std::string hidden = hidden_name(folder_, name);
      descriptor_ = ::open(hidden.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (descriptor_ >= 0) {
        temporary_ = hidden;
      } else if (errno != EEXIST || attempt == kNameAttempts) {
        fail_with(errno);
      }
    }
  }
  // A new target gets the bits that creating it would give (0666 less the
  // umask, applied by open); an existing one keeps its own.
  if (mode >= 0 && ::fchmod(descriptor_, static_cast<mode_t>(mode)) != 0) fail_with(errno);
}

// Gives the nameless file a hidden name beside the target, so that it can
// be renamed over it.
void OutputFile::link_into_folder() {
  const std::string self = "/proc/self/fd/" + std::to_string(descriptor_);
  const std::string name = std::filesystem::path(target_).filename().string();
  for (int attempt = 1;; ++attempt) {
    const std::string hidden = hidden_name(folder_, name);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, hidden.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temporary_ = hidden;
      return;
    }
    if (errno != EEXIST || attempt == kNameAttempts) fail_with(errno);
  }
}

ssize_t OutputFile::write_through(void* output, const char* bytes, std::size_t size) {
  OutputFile& self = *static_cast<OutputFile*>(output);
  std::size_t done = 0;
  while (done < size && self.first_error_ == 0) {
    const ssize_t written = ::write(self.descriptor_, bytes + done, size - done);
    if (written > 0) {
      done += static_cast<std::size_t>(written);
      self.written_ += written;
    } else if (written < 0 && errno != EINTR) {
      self.first_error_ = errno;
    } else if (written == 0) {
      self.first_error_ = EIO;
    }
  }
  if (!self.direct_ && self.written_ - self.writeback_from_ >= kWritebackStep) {
    // Only a head start: whatever fails here, the sync at commit meets and
    // reports.
    ::sync_file_range(self.descriptor_, self.writeback_from_,
                      self.written_ - self.writeback_from_, SYNC_FILE_RANGE_WRITE);
    self.writeback_from_ = self.written_;
  }
  return static_cast<ssize_t>(done);  // short of `size`, the stream counts as failed
}

void OutputFile::commit() {
  const bool flushed = std::fflush(stream_) == 0;
  if (!flushed || std::ferror(stream_) != 0) fail_with(first_error_ != 0 ? first_error_ : EIO);
  if (!direct_) {
    if (::fsync(descriptor_) != 0) fail_with(errno);
    if (temporary_.empty()) link_into_folder();
  }
  std::fclose(stream_);  // the stream is flushed and has nothing of its own to close
  stream_ = nullptr;
  const int descriptor = descriptor_;
  descriptor_ = -1;
  if (::close(descriptor) != 0) fail_with(errno);
  if (!direct_ && std::rename(temporary_.c_str(), target_.c_str()) != 0) fail_with(errno);
  temporary_.clear();  // it is the target now
}

void OutputFile::fail_with(int error) const {
  fail(DIFF_ERROR_WRITE, path_ + ": " + std::strerror(error));
}

void OutputFile::discard() {
  if (stream_ != nullptr) {
    if (first_error_ == 0) first_error_ = ECANCELED;  // what stdio still buffers is dropped
    std::fclose(stream_);
    stream_ = nullptr;
  }
  if (descriptor_ >= 0) ::close(descriptor_);  // nothing of it is kept, so its result is moot
  descriptor_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

void write_line(std::FILE* file, std::string_view text) {
  if (std::ferror(file)) return;
  // A failure here sets the stream's error flag, which stops the later lines.
  std::fwrite(text.data(), 1, text.size(), file);
  std::fputc('\n', file);
}

}  // namespace diff::report_text
