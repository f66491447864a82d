// A compared project as its outputs see it: the folders, their pairs, the
// status file of each pair and whether it differs.
#ifndef ODBDIFF_PROJECT_COMPARED_PROJECT_H_
#define ODBDIFF_PROJECT_COMPARED_PROJECT_H_

#include <cstddef>  // std::size_t
#include <string>   // std::string
#include <vector>   // std::vector

#include "project/project_pairing.h"  // ProjectPairing

namespace odbdiff {

struct ComparedProject {
  const std::string& folder_a;  // as given
  const std::string& folder_b;
  const ProjectPairing& pairing;
  const std::vector<std::string>& status_files;  // index-aligned with pairing.pairs
  const std::vector<std::size_t>& compared;      // the pairs this run compared
  const std::vector<bool>& pair_differs;         // index-aligned with `compared`
};

}  // namespace odbdiff

#endif  // ODBDIFF_PROJECT_COMPARED_PROJECT_H_
