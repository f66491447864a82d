// A private folder of odbdiff's, made with mkdtemp and removed, with all it
// holds, when the owner is done with it.
//
// A run that is killed cannot remove its folders. So that they do not pile
// up, each folder is recognisable by its name (a fixed prefix and six random
// characters) and locked (flock) by its living owner; making a folder first
// removes the folders of the same prefix beside it whose lock can be taken,
// which are those of runs that ended without removing them.
#ifndef ODBDIFF_PLATFORM_SCRATCH_FOLDER_H_
#define ODBDIFF_PLATFORM_SCRATCH_FOLDER_H_

#include <filesystem>  // std::filesystem::path
#include <string>      // std::string

namespace odbdiff {

// The prefixes of odbdiff's folders: in the temporary folder, and the hidden
// ones beside a file that odbdiff puts into place.
inline constexpr char kTemporaryFolderPrefix[] = "odbdiff-run-";
inline constexpr char kSideFolderPrefix[] = ".odbdiff-";

class ScratchFolder {
 public:
  // Removes the leftovers of killed runs in `parent`, then makes the folder
  // `prefix` followed by six random characters there and locks it. Throws
  // Failure when it cannot be made.
  ScratchFolder(const std::filesystem::path& parent, const std::string& prefix);
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();

  const std::filesystem::path& path() const { return path_; }

  // Tells the object-database library (ZOZAVI_SCRATCH_FOLDER) that the
  // object files made directly in this folder go with it, so that it need
  // not sync their writes; until the folder goes. For folders whose files
  // are never put into place elsewhere.
  void HoldScratchDatabases();

 private:
  std::filesystem::path path_;
  int lock_ = -1;  // the folder, open and flock'ed while it is ours
  bool named_in_environment_ = false;
};

}  // namespace odbdiff

#endif  // ODBDIFF_PLATFORM_SCRATCH_FOLDER_H_
