#include "diff/outcome/file_identity.h"

#include <sys/stat.h>  // stat, lstat, S_ISLNK
#include <unistd.h>    // readlink

#include <filesystem>  // std::filesystem::path, the folder and name of a path

#include "diff/outcome/call_outcome.h"  // fail, DIFF_ERROR_ARGUMENT

namespace diff {
namespace {

// Links followed in a row before giving up, as the kernel does (ELOOP).
constexpr int kMaxLinks = 40;

std::optional<FileIdentity> identity_of_existing(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return FileIdentity{status.st_dev, status.st_ino, {}};
}

}  // namespace

std::string followed_path(const char* path) {
  std::string current = path != nullptr ? path : "";
  for (int links = 0; links < kMaxLinks && !current.empty(); ++links) {
    struct stat status {};
    if (::lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) break;
    std::string target(static_cast<std::size_t>(status.st_size) + 256, '\0');
    const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) break;
    target.resize(static_cast<std::size_t>(length));
    const std::filesystem::path link_target(target);
    current = link_target.is_absolute()
                  ? target
                  : (std::filesystem::path(current).parent_path() / link_target).string();
  }
  return current;
}

std::optional<FileIdentity> file_identity(const char* path) {
  if (path == nullptr || path[0] == '\0') return std::nullopt;
  // The system follows every link of an existing file, including those that
  // name no path (a pipe behind /dev/stdout).
  if (auto existing = identity_of_existing(path)) return existing;
  const std::filesystem::path name(followed_path(path));
  const std::filesystem::path folder = name.has_parent_path() ? name.parent_path() : ".";
  std::optional<FileIdentity> identity = identity_of_existing(folder.string());
  if (identity) identity->name_in_folder = name.filename().string();
  return identity;
}

std::optional<NamedInput> input_named_by(const char* output,
                                         const std::vector<NamedInput>& inputs) {
  const std::optional<FileIdentity> output_identity = file_identity(output);
  if (!output_identity) return std::nullopt;
  for (const NamedInput& input : inputs) {
    if (file_identity(input.path) == output_identity) return input;
  }
  return std::nullopt;
}

void refuse_output_naming_input(const char* output, const std::vector<NamedInput>& inputs) {
  if (const auto input = input_named_by(output, inputs)) {
    fail(DIFF_ERROR_ARGUMENT, std::string(output) + ": the same file as " + input->role + " " +
                                  input->path + "; an output may not replace an input");
  }
}

}  // namespace diff
