// Which file a path names, so that no output is written over an input: two
// names of one file (hard links, symlinks, "dir/../x") have one identity.
#ifndef DIFF_OUTCOME_FILE_IDENTITY_H_
#define DIFF_OUTCOME_FILE_IDENTITY_H_

#include <sys/types.h>  // dev_t, ino_t

#include <optional>          // std::optional
#include <string>            // std::string
#include <vector>            // std::vector

namespace diff {

// The file a path names: the device and inode of the file, every symlink
// followed; for a name that does not exist yet, those of its folder (symlinks
// followed) and the name in it, so that two names of one future file match.
struct FileIdentity {
  dev_t device;
  ino_t inode;
  std::string name_in_folder;  // empty for an existing file
  bool operator==(const FileIdentity&) const = default;
};

// `path` with the symlinks that it ends in followed: where a write to it
// lands. A dangling symlink gives the file it points to. A link whose
// target is no path (a pipe behind /proc/self/fd/1) ends the following.
std::string followed_path(const char* path);

// Nothing for a null or empty path, or when even its folder does not exist.
std::optional<FileIdentity> file_identity(const char* path);

// An input that an output must not name: a phrase saying what it is
// ("object file A") and its path (null: no such input).
struct NamedInput {
  const char* role;
  const char* path;
};

// The first input that `output` names, if any.
std::optional<NamedInput> input_named_by(const char* output,
                                         const std::vector<NamedInput>& inputs);

// Fails with DIFF_ERROR_ARGUMENT when `output` names one of `inputs`:
// "<output>: the same file as <role> <input path>; an output may not
// replace an input".
void refuse_output_naming_input(const char* output, const std::vector<NamedInput>& inputs);

}  // namespace diff

#endif  // DIFF_OUTCOME_FILE_IDENTITY_H_
