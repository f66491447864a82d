// The module's project report opens a project's files by the names it builds
// from their numbers: a prefix, then "PROJ0007". Files chosen by name
// (--files) reach it through links of those names in a private folder, made
// for the report and removed with it: LINKS/a/PROJ0001 -> DIR_A/area-100.odb.
#ifndef ODBDIFF_PROJECT_PROJECT_FILE_LINKS_H_
#define ODBDIFF_PROJECT_PROJECT_FILE_LINKS_H_

#include <optional>  // std::optional, the folder of the links when there are any
#include <string>    // std::string
#include <vector>    // std::vector

#include "module/module_binding.h"    // PathShown
#include "platform/scratch_folder.h"  // ScratchFolder
#include "project/project_pairing.h"  // ProjectPairing

namespace odbdiff {

class ProjectFileLinks {
 public:
  // The prefixes of the folders as given for numbered files; for files
  // chosen by name, makes the links. Throws Failure when they cannot be made.
  ProjectFileLinks(const ProjectPairing& pairing, const std::string& folder_a,
                   const std::string& folder_b);

  // What the module puts before "PROJ0007" for the files of A and of B.
  const std::string& a_prefix() const { return a_prefix_; }
  const std::string& b_prefix() const { return b_prefix_; }

  // Each link with the file it names as given, so that a message of the
  // module names the file; longer link names first, since one may begin
  // with another (PROJ1000, PROJ10000).
  const std::vector<PathShown>& shown() const { return shown_; }

 private:
  std::optional<ScratchFolder> folder_;
  std::string a_prefix_;
  std::string b_prefix_;
  std::vector<PathShown> shown_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_PROJECT_PROJECT_FILE_LINKS_H_
