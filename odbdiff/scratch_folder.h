// A private folder made with mkdtemp and removed, with all it holds, when the
// owner is done with it.
#ifndef ODBDIFF_SCRATCH_FOLDER_H_
#define ODBDIFF_SCRATCH_FOLDER_H_

#include <filesystem>  // std::filesystem::path
#include <string>      // std::string

namespace odbdiff {

class ScratchFolder {
 public:
  // Makes the folder `prefix` followed by six random characters inside
  // `parent`. Throws Failure when it cannot be made.
  ScratchFolder(const std::filesystem::path& parent, const std::string& prefix);
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_SCRATCH_FOLDER_H_
