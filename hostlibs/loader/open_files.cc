#include "open_files.h"

#include <memory>         // std::unique_ptr
#include <string>         // std::string, the key
#include <unordered_map>  // std::unordered_map
#include <utility>        // std::move

#include "call_error.h"  // keep_call_error

namespace zavo32 {
namespace {

// Handles are freed through CvxODB's virtual destructor, which closes the
// database and returns the memory to the library's allocator.
using OpenFiles = std::unordered_map<std::string, std::unique_ptr<CvxODB>>;

// A function-local object, so that the handles still open at exit are closed
// before the object-database library goes.
OpenFiles& open_files() {
  static OpenFiles files;
  return files;
}

}  // namespace

bool open_file(const char* name) {
  if (name == nullptr) return false;
  OpenFiles& files = open_files();
  if (files.contains(name)) return true;
  std::unique_ptr<CvxODB> database(new (char{0}) CvxODB(0, name, 0));
  if (database == nullptr) return false;
  if (database->Open(1) == 0) {
    keep_call_error(*database);
    return false;
  }
  files.emplace(name, std::move(database));
  return true;
}

bool close_file(const char* name) {
  if (name == nullptr) return false;
  return open_files().erase(name) != 0;
}

CvxODB* find_open_file(const char* name) {
  if (name == nullptr) return nullptr;
  OpenFiles& files = open_files();
  const auto found = files.find(name);
  return found != files.end() ? found->second.get() : nullptr;
}

}  // namespace zavo32
