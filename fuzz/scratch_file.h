// Files that a fuzz target writes its input to, in a folder of its own.
#ifndef FUZZ_SCRATCH_FILE_H_
#define FUZZ_SCRATCH_FILE_H_

#include <cstddef>  // std::size_t
#include <cstdint>  // std::uint8_t
#include <string>   // std::string

namespace fuzz {

// The path of `name` in this process's private scratch folder, made under
// $TMPDIR (or /tmp) at the first call and removed with its files at exit.
// Aborts when the folder cannot be made: the target cannot run without it.
std::string ScratchPath(const std::string& name);

// Writes `size` bytes of `data` to `path` as a new file, in place of what
// was there. Aborts when the write fails, since the target would then test a
// different input.
void WriteScratchFile(const std::string& path, const std::uint8_t* data, std::size_t size);

// Removes the file at `path`, if any. A file rewritten in place costs a
// flush to disk on some file systems (ext4 flushes a file truncated and
// written again when it is closed); a new file does not.
void RemoveScratchFile(const std::string& path);

}  // namespace fuzz

#endif  // FUZZ_SCRATCH_FILE_H_
