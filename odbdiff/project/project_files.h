// The files of a project in a folder: by default the numbered files "PROJ"
// (number 0) and "PROJ" followed by the number printed with at least four
// digits (PROJ0007, PROJ12345), the names the diff module's project report
// builds from a number; or, chosen with --files GLOB, the files whose names
// match one of the globs.
#ifndef ODBDIFF_PROJECT_PROJECT_FILES_H_
#define ODBDIFF_PROJECT_PROJECT_FILES_H_

#include <optional>     // std::optional
#include <string>       // std::string
#include <string_view>  // std::string_view
#include <vector>       // std::vector

namespace odbdiff {

struct ProjectFile {
  int number;  // 0 for a file chosen by name
  std::string name;
};

// The number of a project file's name; none when the name is not one that a
// number gives back ("PROJ01", "PROJ00012" and "PROJ0000" are not).
std::optional<int> ProjectFileNumber(std::string_view name);

// The name that number `number` gives: "PROJ" for 0, else "PROJ0007".
std::string NumberedFileName(int number);

// The project files (regular files, or links to them) in `folder`: without
// `globs` the numbered files in ascending number order; with globs those
// whose names match one of them (fnmatch without flags, on the name alone)
// in byte-wise order of their names. Throws Failure when the folder cannot
// be read.
std::vector<ProjectFile> FindProjectFiles(const std::string& folder,
                                          const std::vector<std::string>& globs);

// What names make project files, for a message: "project files are named
// PROJ, PROJ0001, ..." or "project files are those whose names match
// --files GLOB".
std::string ProjectFileNamesText(const std::vector<std::string>& globs);

}  // namespace odbdiff

#endif  // ODBDIFF_PROJECT_PROJECT_FILES_H_
