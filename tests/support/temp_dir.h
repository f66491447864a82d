// A private temporary folder that a test removes when it ends.
#ifndef DIFF_TESTS_SUPPORT_TEMP_DIR_H_
#define DIFF_TESTS_SUPPORT_TEMP_DIR_H_

#include <stdlib.h>  // mkdtemp

#include <filesystem>  // std::filesystem::path, remove_all
#include <stdexcept>   // std::runtime_error
#include <string>      // std::string

namespace diff::testing {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "difftest.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ignored;  // a leftover temporary folder is no test failure
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace diff::testing

#endif  // DIFF_TESTS_SUPPORT_TEMP_DIR_H_
