// The pieces both makers of status files share (docs/status-file.md): the
// object files read by name and the status file written object by object.
#ifndef ODBDIFF_OUTPUTS_HTML_STATUS_FILE_WRITER_H_
#define ODBDIFF_OUTPUTS_HTML_STATUS_FILE_WRITER_H_

#include <cstdint>  // std::uint64_t
#include <string>   // std::string

#include "diff/host/list_library.h"     // CStrList
#include "diff/host/object_database.h"  // CvxODB
#include "module/module_binding.h"      // DiffModule

namespace odbdiff {

// The status codes of slots.
inline constexpr char kValuesDiffer[] = "0";
inline constexpr char kValuesEqual[] = "1";
inline constexpr char kOnlyInA[] = "3";
inline constexpr char kOnlyInB[] = "4";

// An object file open for reading, named as the user gave it.
struct InputObjectFile {
  // Throws Failure when it is no object file.
  explicit InputObjectFile(const std::string& path);

  // The slot names of `object`. Throws Failure when they cannot be read.
  CStrList Slots(const char* object);

  const std::string& path;
  CvxODB database;
};

class StatusFileWriter {
 public:
  // Makes the status file at `path`, replacing an object file there. Throws
  // Failure when it cannot be made.
  explicit StatusFileWriter(const std::string& path);

  void AddObject(const char* object);
  void AddSlot(const char* object, const char* slot, const char* code);
  // Every slot of `object` in `source` that no ignore rule covers, with the
  // same code. Returns how many.
  std::uint64_t AddAllSlots(const DiffModule& module, InputObjectFile& source,
                            const char* object, const char* code);
  // Makes the writes durable, all together.
  void Save();

 private:
  [[noreturn]] void Fail();

  std::string path_;
  CvxODB database_;  // closed without saving when a Failure ends the writing
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_HTML_STATUS_FILE_WRITER_H_
