// The files of a project in two folders, paired by number: those in both
// folders, which are compared, and those in one folder only.
#ifndef ODBDIFF_PROJECT_PAIRING_H_
#define ODBDIFF_PROJECT_PAIRING_H_

#include <string>  // std::string
#include <vector>  // std::vector

namespace odbdiff {

// A file of the project in both folders.
struct FilePair {
  std::string name;
  std::string file_a;  // the folder as given, a separator, the name
  std::string file_b;
  int number_a;
  int number_b;
};

// A file of the project in one folder only.
struct OneSidedFile {
  std::string name;
  std::string folder;  // as given
};

// The project's files in both folders and those in one only, each in
// ascending number order.
struct ProjectPairing {
  std::vector<FilePair> pairs;
  std::vector<OneSidedFile> one_sided;
};

// Throws Failure when a folder cannot be read.
ProjectPairing PairProjectFiles(const std::string& folder_a, const std::string& folder_b);

// The path of a project file: the folder as given, a separator, the name,
// as the module builds it.
std::string ProjectFilePath(const std::string& folder, const std::string& name);

// "PROJ0003: only in DIR_A", as standard error and the report name the file.
std::string OnlyInText(const OneSidedFile& file);

}  // namespace odbdiff

#endif  // ODBDIFF_PROJECT_PAIRING_H_
