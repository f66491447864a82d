// The files of a project in two folders, paired by number (or, for files
// chosen with --files, by name): those in both folders, which are compared,
// and those in one folder only.
#ifndef ODBDIFF_PROJECT_PROJECT_PAIRING_H_
#define ODBDIFF_PROJECT_PROJECT_PAIRING_H_

#include <string>  // std::string
#include <vector>  // std::vector

namespace odbdiff {

// A file of the project in both folders.
struct FilePair {
  std::string name;
  std::string file_a;  // the folder as given, a separator, the name
  std::string file_b;
  // The numbers the module's project report builds the files' names from.
  // A file chosen by name takes its position in the project from 1, and
  // reaches the module through a link of the number's name (numbered_links.h).
  int number_a;
  int number_b;
  // The name of the pair's status file: the numbered name of number_a, which
  // no other file of the project's status files, records or manifest takes.
  std::string status_name;
};

// A file of the project in one folder only.
struct OneSidedFile {
  std::string name;
  std::string folder;  // as given
};

// The project's files in both folders and those in one only, each in
// ascending number order, or byte-wise order of their names for files
// chosen by name.
struct ProjectPairing {
  std::vector<FilePair> pairs;
  std::vector<OneSidedFile> one_sided;
  bool by_name = false;  // the files were chosen with --files
};

// The project files of the folders, as FindProjectFiles chooses them with
// `globs`. Throws Failure when a folder cannot be read, or when neither
// holds a project file.
ProjectPairing PairProjectFiles(const std::string& folder_a, const std::string& folder_b,
                                const std::vector<std::string>& globs);

// The path of a project file: the folder as given, a separator, the name,
// as the module builds it.
std::string ProjectFilePath(const std::string& folder, const std::string& name);

// "PROJ0003: only in DIR_A", as standard error and the report name the file.
std::string OnlyInText(const OneSidedFile& file);

}  // namespace odbdiff

#endif  // ODBDIFF_PROJECT_PROJECT_PAIRING_H_
