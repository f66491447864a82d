// Reading an input file whole into memory, within a bound, so that a device
// or a pipe without end (/dev/zero, `yes |`) cannot fill memory or disk.
#ifndef ODBDIFF_INPUTS_INPUT_FILE_READ_H_
#define ODBDIFF_INPUTS_INPUT_FILE_READ_H_

#include <cstddef>  // std::size_t
#include <string>   // std::string

namespace odbdiff {

// The most bytes a kind of input may hold, as a message says it.
struct InputLimit {
  std::size_t bytes;
  const char* shown;  // "16 MiB"
  const char* kind;   // "a rules file"
};

// Throws Failure naming `shown` when `fd` is a character device other than a
// terminal (/dev/zero, /dev/urandom, /dev/null): none of them holds a file,
// and some never end. Pipes and terminals are read as files are.
void RefuseCharacterDevice(int fd, const std::string& shown);

// The bytes of the file at `path`. Throws Failure naming the file when it
// cannot be opened or read, is a character device (RefuseCharacterDevice),
// or holds more than `limit.bytes`.
std::string ReadInputFile(const std::string& path, const InputLimit& limit);

}  // namespace odbdiff

#endif  // ODBDIFF_INPUTS_INPUT_FILE_READ_H_
