// Checks made before the module or the object-database library touches a
// file, so that a bad argument ends the command with one line naming the file
// and the reason, and nothing written. Each check throws Failure.
#ifndef ODBDIFF_INPUT_CHECKS_H_
#define ODBDIFF_INPUT_CHECKS_H_

#include <string>  // std::string
#include <vector>  // std::vector

namespace odbdiff {

// The path names a file (not a folder) that can be opened for reading.
void CheckReadableFile(const std::string& path);

// A readable file that the object-database library opens as an object file.
void CheckObjectFileInput(const std::string& path);

// A file can be written at the path: the path is no folder, its folder exists
// and can be written in, and an existing file there can be written.
void CheckWritableOutput(const std::string& path);

// As CheckWritableOutput; in addition a file already at the path must be an
// object file, since only an object file is ever replaced by one.
void CheckObjectFileOutput(const std::string& path);

// Files can be made in the folder at the path: it exists and can be written
// in, or it is absent and its parent folder can be written in.
void CheckFolderOutput(const std::string& path);

// No output names an input or another output, which would destroy an input or
// lose a result.
void CheckOutputsApart(const std::vector<std::string>& inputs,
                       const std::vector<std::string>& outputs);

}  // namespace odbdiff

#endif  // ODBDIFF_INPUT_CHECKS_H_
