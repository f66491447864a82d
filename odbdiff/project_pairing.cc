#include "project_pairing.h"  // FilePair, OneSidedFile, ProjectPairing, PairProjectFiles

#include "project_files.h"  // ProjectFile, FindProjectFiles

namespace odbdiff {
std::string ProjectFilePath(const std::string& folder, const std::string& name) {
  return folder + "/" + name;
}

ProjectPairing PairProjectFiles(const std::string& folder_a, const std::string& folder_b) {
  const std::vector<ProjectFile> files_a = FindProjectFiles(folder_a);
  const std::vector<ProjectFile> files_b = FindProjectFiles(folder_b);
  ProjectPairing pairing;
  // Both lists are in ascending number order: a merge pairs them.
  auto a = files_a.begin();
  auto b = files_b.begin();
  while (a != files_a.end() || b != files_b.end()) {
    if (b == files_b.end() || (a != files_a.end() && a->number < b->number)) {
      pairing.one_sided.push_back(OneSidedFile{a->name, folder_a});
      ++a;
    } else if (a == files_a.end() || b->number < a->number) {
      pairing.one_sided.push_back(OneSidedFile{b->name, folder_b});
      ++b;
    } else {
      pairing.pairs.push_back(FilePair{a->name, ProjectFilePath(folder_a, a->name),
                                       ProjectFilePath(folder_b, b->name), a->number, b->number});
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
