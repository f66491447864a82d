#include "outputs/databases/kept_difference_dbs_output.h"  // KeptDifferenceDbsOutput

#include <filesystem>  // std::filesystem::is_directory

#include "request/input_checks.h"  // CheckFolderOutput, CheckObjectFileOutput

namespace odbdiff {

void KeptDifferenceDbsOutput::CheckOutputs(std::vector<std::string>& outputs) {
  CheckFolderOutput(folder_);
  for (const std::string& database : DifferenceDbs(folder_).all()) {
    // In a folder still to be made there is nothing to check.
    if (std::filesystem::is_directory(folder_)) CheckObjectFileOutput(database);
    outputs.push_back(database);
  }
}

}  // namespace odbdiff
