// The numbered files of a project in a folder: "PROJ" (number 0) and "PROJ"
// followed by the number printed with at least four digits (PROJ0007,
// PROJ12345), the names the diff module's project report builds from a
// number.
#ifndef ODBDIFF_PROJECT_FILES_H_
#define ODBDIFF_PROJECT_FILES_H_

#include <optional>     // std::optional
#include <string>       // std::string
#include <string_view>  // std::string_view
#include <vector>       // std::vector

namespace odbdiff {

struct ProjectFile {
  int number;
  std::string name;
};

// The number of a project file's name; none when the name is not one that a
// number gives back ("PROJ01", "PROJ00012" and "PROJ0000" are not).
std::optional<int> ProjectFileNumber(std::string_view name);

// The project files (regular files, or links to them) in `folder`, in
// ascending number order. Throws Failure when the folder cannot be read.
std::vector<ProjectFile> FindProjectFiles(const std::string& folder);

}  // namespace odbdiff

#endif  // ODBDIFF_PROJECT_FILES_H_
