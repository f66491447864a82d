#include "scratch_file.h"  // ScratchPath, WriteScratchFile

#include <cerrno>        // errno, ENOENT
#include <cstdio>        // std::perror
#include <cstdlib>       // std::abort, std::atexit, std::getenv, mkdtemp
#include <filesystem>    // std::filesystem::remove_all
#include <system_error>  // std::error_code

#include <fcntl.h>   // open
#include <unistd.h>  // write, close, unlink

namespace fuzz {
namespace {

std::string& ScratchFolder() {
  static std::string folder;
  return folder;
}

void RemoveScratchFolder() {
  std::error_code ignored;  // a folder left behind in $TMPDIR harms nothing
  std::filesystem::remove_all(ScratchFolder(), ignored);
}

}  // namespace

std::string ScratchPath(const std::string& name) {
  std::string& folder = ScratchFolder();
  if (folder.empty()) {
    const char* tmpdir = std::getenv("TMPDIR");
    std::string pattern = std::string(tmpdir != nullptr && *tmpdir != 0 ? tmpdir : "/tmp") +
                          "/diff-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror("fuzz: cannot make a scratch folder");
      std::abort();
    }
    folder = pattern;
    std::atexit(RemoveScratchFolder);
  }
  return folder + "/" + name;
}

void WriteScratchFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  RemoveScratchFile(path);
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) {
    std::perror(path.c_str());
    std::abort();
  }
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written <= 0) {
      std::perror(path.c_str());
      std::abort();
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  if (close(fd) != 0) {
    std::perror(path.c_str());
    std::abort();
  }
}

void RemoveScratchFile(const std::string& path) {
  if (unlink(path.c_str()) != 0 && errno != ENOENT) {
    std::perror(path.c_str());
    std::abort();
  }
}

}  // namespace fuzz
