// Checks made before the module or the object-database library touches a
// file, so that a bad argument ends the command with one line naming the file
// and the reason, and nothing written. Each check throws Failure.
#ifndef ODBDIFF_REQUEST_INPUT_CHECKS_H_
#define ODBDIFF_REQUEST_INPUT_CHECKS_H_

#include <string>  // std::string
#include <vector>  // std::vector

#include "request/command_line.h"  // ComparisonOptions

namespace odbdiff {

// The path names a file (not a folder) that can be opened for reading.
// A symbolic link is followed, for inputs and outputs alike.
void CheckReadableFile(const std::string& path);

// A readable file that the object-database library opens as an object file.
void CheckObjectFileInput(const std::string& path);

// A file can be written at the path: the path is no folder and no dangling
// symbolic link, its folder exists and can be written in (for a symbolic
// link to a regular file, the folder of that file), and an existing file
// there can be written.
void CheckWritableOutput(const std::string& path);

// As CheckWritableOutput; in addition a file already at the path must be an
// object file, since only an object file is ever replaced by one.
void CheckObjectFileOutput(const std::string& path);

// Files can be made in the folder at the path: it exists and can be written
// in, or it is absent and its parent folder can be written in.
void CheckFolderOutput(const std::string& path);

// No output is an input or another output, which would destroy an input or
// lose a result. Files are told apart by device and inode, so a hard link or
// a symbolic link to an input counts as the input; files not made yet by
// their folder's device and inode and their name.
void CheckOutputsApart(const std::vector<std::string>& inputs,
                       const std::vector<std::string>& outputs);

// The files that the comparison options read: the rules file and the accept
// file must be readable and join `inputs`.
void CheckComparisonInputs(const ComparisonOptions& options, std::vector<std::string>& inputs);
// As CheckComparisonInputs; in addition the file of --json must be writable
// and joins `outputs`.
void CheckComparisonFiles(const ComparisonOptions& options, std::vector<std::string>& inputs,
                          std::vector<std::string>& outputs);

// Standard output, when it is a regular file, is none of the inputs
// (`odbdiff export a.odb >> a.odb`).
void CheckStandardOutputApart(const std::vector<std::string>& inputs);

}  // namespace odbdiff

#endif  // ODBDIFF_REQUEST_INPUT_CHECKS_H_
