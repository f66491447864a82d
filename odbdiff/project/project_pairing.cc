#include "project/project_pairing.h"  // FilePair, OneSidedFile, ProjectPairing, PairProjectFiles

#include "platform/failure.h"       // Failure
#include "project/project_files.h"  // ProjectFile, FindProjectFiles, NumberedFileName

namespace odbdiff {
std::string ProjectFilePath(const std::string& folder, const std::string& name) {
  return folder + "/" + name;
}

ProjectPairing PairProjectFiles(const std::string& folder_a, const std::string& folder_b,
                                const std::vector<std::string>& globs) {
  const std::vector<ProjectFile> files_a = FindProjectFiles(folder_a, globs);
  const std::vector<ProjectFile> files_b = FindProjectFiles(folder_b, globs);
  if (files_a.empty() && files_b.empty()) {
    throw Failure("no project files in " + folder_a + " or in " + folder_b + ": " +
                  ProjectFileNamesText(globs));
  }
  ProjectPairing pairing;
  pairing.by_name = !globs.empty();
  // Both lists are in the order FindProjectFiles gives (number, then name):
  // a merge pairs them.
  const auto before = [](const ProjectFile& a, const ProjectFile& b) {
    return a.number != b.number ? a.number < b.number : a.name < b.name;
  };
  auto a = files_a.begin();
  auto b = files_b.begin();
  while (a != files_a.end() || b != files_b.end()) {
    if (b == files_b.end() || (a != files_a.end() && before(*a, *b))) {
      pairing.one_sided.push_back(OneSidedFile{a->name, folder_a});
      ++a;
    } else if (a == files_a.end() || before(*b, *a)) {
      pairing.one_sided.push_back(OneSidedFile{b->name, folder_b});
      ++b;
    } else {
      const int number =
          pairing.by_name ? static_cast<int>(pairing.pairs.size()) + 1 : a->number;
      pairing.pairs.push_back(FilePair{a->name, ProjectFilePath(folder_a, a->name),
                                       ProjectFilePath(folder_b, b->name), number, number,
                                       NumberedFileName(number)});
      ++a;
      ++b;
    }
  }
  return pairing;
}

std::string OnlyInText(const OneSidedFile& file) {
  return file.name + ": only in " + file.folder;
}

}  // namespace odbdiff
