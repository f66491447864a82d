// Helpers shared by the object-database tests: a scratch folder, whole-file
// reads and writes, SQL run on a file directly, and conversions between
// CStrList and vectors.
#ifndef TESTS_OBJDB_OBJDB_TEST_SUPPORT_H_
#define TESTS_OBJDB_OBJDB_TEST_SUPPORT_H_

#include <gtest/gtest.h>  // ASSERT_EQ, EXPECT_EQ in RunSql
#include <sqlite3.h>      // sqlite3_* for files changed outside the library

#include <algorithm>   // std::sort
#include <cstdlib>     // mkdtemp
#include <filesystem>  // std::filesystem for folders
#include <fstream>     // std::ifstream, std::ofstream
#include <iterator>    // std::istreambuf_iterator
#include <string>      // std::string
#include <vector>      // std::vector

#include "diff/host/list_library.h"  // CStrList

namespace objdb_test {

// A fresh folder under the system's temporary folder, removed with its
// content when the test ends.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "objdb-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  ~ScratchDir() {
    std::error_code ignored;  // a folder left behind only wastes space
    std::filesystem::remove_all(path_, ignored);
  }

  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Names of the entries of the folder, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string path_;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Runs `sql` on the file at `path` with SQLite directly.
inline void RunSql(const std::string& path, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
  sqlite3_close(db);
}

inline std::vector<std::string> Texts(CStrList& list) {
  std::vector<std::string> texts;
  for (int i = 0; i < list.GetLength(); ++i) texts.emplace_back(list.GetTextAt(i));
  return texts;
}

inline void Fill(CStrList& list, const std::vector<std::string>& texts) {
  for (const std::string& text : texts) list.Append(text.c_str());
}

}  // namespace objdb_test

#endif  // TESTS_OBJDB_OBJDB_TEST_SUPPORT_H_
