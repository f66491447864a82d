// The object files that a file report opens in the loader library.
#ifndef DIFF_REPORT_HTML_LOADER_FILES_H_
#define DIFF_REPORT_HTML_LOADER_FILES_H_

#include <array>    // std::array
#include <cstddef>  // std::size_t

namespace diff::report_html {

// Opens files in the loader one after the other and closes every one it
// opened when it goes, whether the report succeeded or not.
class LoaderFiles {
 public:
  LoaderFiles() = default;
  LoaderFiles(const LoaderFiles&) = delete;
  LoaderFiles& operator=(const LoaderFiles&) = delete;
  ~LoaderFiles();

  // Opens `file` in the loader. False when the loader cannot open it, or when
  // this already holds as many files as it can.
  bool open(const char* file);

 private:
  // A file report opens three: file A, file B and the status file.
  static constexpr std::size_t kCapacity = 3;
  std::array<const char*, kCapacity> files_{};
  std::size_t count_ = 0;
};

}  // namespace diff::report_html

#endif  // DIFF_REPORT_HTML_LOADER_FILES_H_
