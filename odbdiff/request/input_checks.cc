#include "request/input_checks.h"  // the checks

#include <fcntl.h>     // open, O_RDONLY, O_CLOEXEC
#include <sys/stat.h>  // stat, lstat, fstat, S_ISDIR, S_ISREG, S_ISLNK
#include <unistd.h>    // access, close, W_OK, X_OK, STDOUT_FILENO

#include <cerrno>            // errno, ENOENT, ENOTDIR
#include <filesystem>        // std::filesystem::path, canonical, weakly_canonical
#include <initializer_list>  // the loop over the comparison options' inputs
#include <optional>          // std::optional, the comparison options' files

#include "diff/host/object_database.h"   // CvxODB
#include "inputs/input_file_read.h"      // RefuseCharacterDevice
#include "inputs/object_file_failure.h"  // ObjectFileFailure
#include "platform/failure.h"            // Failure, SystemErrorText

namespace odbdiff {
namespace {

namespace fs = std::filesystem;

// The folder a path names its file in; "." for a bare name.
std::string FolderOf(const std::string& path) {
  const fs::path folder = fs::path(path).parent_path();
  return folder.empty() ? "." : folder.string();
}

// The folder exists and files can be made in it; the Failure names `path`.
void CheckFolderWritable(const std::string& path, const std::string& folder) {
  struct stat info {};
  if (stat(folder.c_str(), &info) != 0) {
    if (errno == ENOENT) throw Failure(path, "no such folder: " + folder);
    throw Failure(path, folder + ": " + SystemErrorText(errno));
  }
  if (!S_ISDIR(info.st_mode)) throw Failure(path, folder + " is not a folder");
  if (access(folder.c_str(), W_OK | X_OK) != 0) {
    throw Failure(path, "cannot write in folder " + folder + ": " + SystemErrorText(errno));
  }
}

// A symbolic link at `path` that names nothing.
bool IsDanglingLink(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

// What tells files apart whatever names they are reached by: device and
// inode of a file that exists (symbolic links followed); for a file not made
// yet, device and inode of its folder and its name there; and when even the
// folder is still to be made, the path with links and ".." resolved.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  std::string name;

  bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentityOf(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) == 0) return {info.st_dev, info.st_ino, {}};
  if (IsDanglingLink(path)) throw Failure(path, "is a dangling symbolic link");
  const std::string name = fs::path(path).filename().string();
  if (stat(FolderOf(path).c_str(), &info) == 0) return {info.st_dev, info.st_ino, name};
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  if (error) return {0, 0, path};
  const fs::path resolved = fs::weakly_canonical(absolute, error);
  return {0, 0, error ? absolute.lexically_normal().string() : resolved.string()};
}

}  // namespace

void CheckReadableFile(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    throw Failure(path, errno == ENOENT ? std::string("no such file") : SystemErrorText(errno));
  }
  if (S_ISDIR(info.st_mode)) throw Failure(path, "is a folder");
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw Failure(path, "cannot be read: " + SystemErrorText(errno));
  try {
    RefuseCharacterDevice(fd, path);
  } catch (...) {
    close(fd);
    throw;
  }
  close(fd);
}

void CheckObjectFileInput(const std::string& path) {
  CheckReadableFile(path);
  CvxODB database(0, path.c_str(), 0);
  if (database.Open(1) == 0) throw ObjectFileFailure(path, database, "not an object file");
  database.Close(0);
}

void CheckWritableOutput(const std::string& path) {
  if (path == "-") return;  // standard output
  struct stat info {};
  if (stat(path.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) throw Failure(path, "is a folder");
    if (access(path.c_str(), W_OK) != 0) {
      throw Failure(path, "cannot be written: " + SystemErrorText(errno));
    }
    // A regular file is replaced by a new one made beside the file a
    // symbolic link names; anything else is written as it is.
    if (!S_ISREG(info.st_mode)) return;
    std::error_code error;
    const fs::path target = fs::canonical(path, error);
    if (!error) {
      CheckFolderWritable(path, FolderOf(target.string()));
      return;
    }
  } else if (const int error = errno; IsDanglingLink(path)) {
    throw Failure(path, "is a dangling symbolic link");
  } else if (error != ENOENT && error != ENOTDIR) {
    throw Failure(path, SystemErrorText(error));
  }
  // Absent, or its folder is missing or no folder: the folder check says which.
  CheckFolderWritable(path, FolderOf(path));
}

void CheckObjectFileOutput(const std::string& path) {
  CheckWritableOutput(path);
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return;  // absent: nothing is replaced
  CvxODB database(0, path.c_str(), 0);
  if (database.Exists() == 0) {
    throw Failure(path, "exists and is not an object file, so it is not replaced");
  }
}

void CheckFolderOutput(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) == 0) {
    if (!S_ISDIR(info.st_mode)) throw Failure(path, "is not a folder");
    if (access(path.c_str(), W_OK | X_OK) != 0) {
      throw Failure(path, "cannot write in this folder: " + SystemErrorText(errno));
    }
    return;
  }
  if (errno != ENOENT) throw Failure(path, SystemErrorText(errno));
  if (IsDanglingLink(path)) throw Failure(path, "is a dangling symbolic link");
  fs::path folder = fs::path(path).lexically_normal();
  if (!folder.has_filename()) folder = folder.parent_path();  // "out/" names the folder "out"
  CheckFolderWritable(path, FolderOf(folder.string()));
}

void CheckOutputsApart(const std::vector<std::string>& inputs,
                       const std::vector<std::string>& outputs) {
  // A handful of paths: comparing every pair costs nothing.
  std::vector<FileIdentity> inputs_seen;
  for (const std::string& input : inputs) inputs_seen.push_back(IdentityOf(input));
  std::vector<FileIdentity> outputs_seen;
  for (const std::string& output : outputs) {
    const FileIdentity identity = IdentityOf(output);
    for (const FileIdentity& input : inputs_seen) {
      if (input == identity) throw Failure(output, "is also an input");
    }
    for (const FileIdentity& earlier : outputs_seen) {
      if (earlier == identity) throw Failure(output, "is named twice as an output");
    }
    outputs_seen.push_back(identity);
  }
}

void CheckStandardOutputApart(const std::vector<std::string>& inputs) {
  struct stat info {};
  if (fstat(STDOUT_FILENO, &info) != 0 || !S_ISREG(info.st_mode)) return;
  const FileIdentity output{info.st_dev, info.st_ino, {}};
  for (const std::string& input : inputs) {
    if (IdentityOf(input) == output) throw Failure("standard output", "is the input " + input);
  }
}

void CheckComparisonInputs(const ComparisonOptions& options, std::vector<std::string>& inputs) {
  for (const std::optional<std::string>& input : {options.rules_file, options.accept}) {
    if (!input) continue;
    CheckReadableFile(*input);
    inputs.push_back(*input);
  }
}

void CheckComparisonFiles(const ComparisonOptions& options, std::vector<std::string>& inputs,
                          std::vector<std::string>& outputs) {
  CheckComparisonInputs(options, inputs);
  if (options.json) {
    CheckWritableOutput(*options.json);
    outputs.push_back(*options.json);
  }
}

}  // namespace odbdiff
