#include "project/project_file_links.h"  // ProjectFileLinks

#include <unistd.h>  // symlink

#include <cerrno>      // errno
#include <filesystem>  // std::filesystem::path, absolute, create_directory

#include "platform/failure.h"  // Failure, SystemErrorText

namespace odbdiff {
namespace {

namespace fs = std::filesystem;

// Makes the folder `side` in `links` and returns its prefix, "LINKS/side/".
std::string MakeSideFolder(const fs::path& links, const char* side) {
  const fs::path folder = links / side;
  std::error_code error;
  fs::create_directory(folder, error);
  if (error) throw Failure(folder.string(), "cannot be made: " + SystemErrorText(error.value()));
  return folder.string() + "/";
}

// A link `link` to `file`; an absolute one, since `file` may be relative to
// the current folder.
void MakeLink(const std::string& file, const std::string& link) {
  std::error_code error;
  const fs::path target = fs::absolute(file, error);
  if (error) throw Failure(file, SystemErrorText(error.value()));
  if (symlink(target.c_str(), link.c_str()) != 0) throw Failure(link, SystemErrorText(errno));
}

}  // namespace

ProjectFileLinks::ProjectFileLinks(const ProjectPairing& pairing, const std::string& folder_a,
                                   const std::string& folder_b)
    : a_prefix_(folder_a + "/"), b_prefix_(folder_b + "/") {
  if (!pairing.by_name) return;
  folder_.emplace(fs::temp_directory_path(), kTemporaryFolderPrefix);
  a_prefix_ = MakeSideFolder(folder_->path(), "a");
  b_prefix_ = MakeSideFolder(folder_->path(), "b");
  // The pairs are numbered from 1 in order: backwards, longer names come first.
  for (auto pair = pairing.pairs.rbegin(); pair != pairing.pairs.rend(); ++pair) {
    const std::string link_a = a_prefix_ + pair->status_name;
    const std::string link_b = b_prefix_ + pair->status_name;
    MakeLink(pair->file_a, link_a);
    MakeLink(pair->file_b, link_b);
    shown_.push_back({link_a, pair->file_a});
    shown_.push_back({link_b, pair->file_b});
  }
}

}  // namespace odbdiff
