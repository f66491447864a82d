// Reading report files and the hand-written reports the tests expect.
#ifndef DIFF_TESTS_REPORT_TEXT_REPORT_FILES_H_
#define DIFF_TESTS_REPORT_TEXT_REPORT_FILES_H_

#include <fstream>    // std::ifstream
#include <iterator>   // std::istreambuf_iterator
#include <stdexcept>  // std::runtime_error
#include <string>     // std::string

namespace diff::testing {

// The bytes of the file at `path`; empty when it cannot be read.
inline std::string read_file(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The expected report `name` from the expected/ folder beside the tests.
inline std::string expected_report(const std::string& name) {
  const std::string text = read_file(std::string(REPORT_TEXT_EXPECTED_DIR) + "/" + name);
  if (text.empty()) throw std::runtime_error("missing expected report " + name);
  return text;
}

}  // namespace diff::testing

#endif  // DIFF_TESTS_REPORT_TEXT_REPORT_FILES_H_
