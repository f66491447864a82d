// An output file that its reader never finds partial: it is written under a
// temporary name in a private folder beside its final name (see
// ScratchFolder) and renamed into place by Commit once complete. Without
// Commit nothing reaches the final name, which keeps the file it had.
//
// A symbolic link at the final name is followed: the file it names is the
// one replaced. An output that exists and is no regular file (a pipe, a
// device) is written directly, since it cannot be replaced. An output that
// is odbdiff's own standard output ("-", /dev/stdout, any name of the file
// descriptor 1 is open on) is written in the temporary folder and copied to
// standard output by Commit.
#ifndef ODBDIFF_OUTPUTS_STAGED_OUTPUT_H_
#define ODBDIFF_OUTPUTS_STAGED_OUTPUT_H_

#include <filesystem>  // std::filesystem::path
#include <optional>    // std::optional
#include <string>      // std::string

#include "platform/scratch_folder.h"  // ScratchFolder

namespace odbdiff {

// True when `path` is "-" or names the file that standard output is open on
// (same device and inode).
bool IsStandardOutput(const std::string& path);

class StagedOutput {
 public:
  // `path` as the user gave it; messages name it. Throws Failure when the
  // private folder cannot be made.
  explicit StagedOutput(const std::string& path);

  // Where the writer writes.
  const std::string& writing_path() const { return writing_path_; }
  // The final name as the user gave it.
  const std::string& path() const { return path_; }

  // Makes the written file durable and renames it into place, or copies it
  // to standard output. Throws Failure naming the final path when that
  // fails; the final name then keeps its former file.
  void Commit();

 private:
  std::string path_;
  std::filesystem::path target_;  // the final name once symbolic links are followed
  std::optional<ScratchFolder> side_folder_;  // none when written directly
  bool to_standard_output_ = false;
  std::string writing_path_;
};

// Makes the file at `path` durable (fsync). Throws Failure naming `shown`.
void SyncFile(const std::string& path, const std::string& shown);

// Makes the names in the folder durable after a rename. Throws Failure
// naming `shown`.
void SyncFolder(const std::filesystem::path& folder, const std::string& shown);

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_STAGED_OUTPUT_H_
