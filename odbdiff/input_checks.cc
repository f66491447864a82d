#include "input_checks.h"  // the checks

#include <fcntl.h>     // open, O_RDONLY, O_CLOEXEC
#include <sys/stat.h>  // stat, S_ISDIR
#include <unistd.h>    // access, close, W_OK, X_OK

#include <cerrno>      // errno, ENOENT, ENOTDIR
#include <filesystem>  // std::filesystem::path, weakly_canonical

#include "diff/host/object_database.h"  // CvxODB
#include "failure.h"                    // Failure, SystemErrorText

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

// The path a file is known by once symbolic links and ".." are resolved.
fs::path Identity(const std::string& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  if (error) return path;
  const fs::path resolved = fs::weakly_canonical(absolute, error);
  return error ? absolute.lexically_normal() : resolved;
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
  close(fd);
}

void CheckObjectFileInput(const std::string& path) {
  CheckReadableFile(path);
  CvxODB database(0, path.c_str(), 0);
  if (database.Open(1) == 0) throw Failure(path, "not an object file");
  database.Close(0);
}

void CheckWritableOutput(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) throw Failure(path, "is a folder");
    if (access(path.c_str(), W_OK) != 0) {
      throw Failure(path, "cannot be written: " + SystemErrorText(errno));
    }
  } else if (errno != ENOENT && errno != ENOTDIR) {
    throw Failure(path, SystemErrorText(errno));
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
  fs::path folder = fs::path(path).lexically_normal();
  if (!folder.has_filename()) folder = folder.parent_path();  // "out/" names the folder "out"
  CheckFolderWritable(path, FolderOf(folder.string()));
}

void CheckOutputsApart(const std::vector<std::string>& inputs,
                       const std::vector<std::string>& outputs) {
  // A handful of paths: comparing every pair costs nothing.
  std::vector<fs::path> inputs_seen;
  for (const std::string& input : inputs) inputs_seen.push_back(Identity(input));
  std::vector<fs::path> outputs_seen;
  for (const std::string& output : outputs) {
    const fs::path identity = Identity(output);
    for (const fs::path& input : inputs_seen) {
      if (input == identity) throw Failure(output, "is also an input");
    }
    for (const fs::path& earlier : outputs_seen) {
      if (earlier == identity) throw Failure(output, "is named twice as an output");
    }
    outputs_seen.push_back(identity);
  }
}

}  // namespace odbdiff
