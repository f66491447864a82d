#include "project/project_files.h"  // ProjectFile, ProjectFileNumber, FindProjectFiles

#include <fnmatch.h>  // fnmatch

#include <algorithm>     // std::sort, std::any_of
#include <cerrno>        // ENOENT, ENOTDIR
#include <charconv>      // std::from_chars
#include <cstdio>        // std::snprintf
#include <filesystem>    // std::filesystem::directory_iterator
#include <system_error>  // std::error_code
#include <utility>       // std::move

#include "platform/failure.h"  // Failure, SystemErrorText

namespace odbdiff {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kBaseName = "PROJ";

[[noreturn]] void FailFolder(const std::string& folder, const std::error_code& error) {
  if (error.value() == ENOENT) throw Failure(folder, "no such folder");
  if (error.value() == ENOTDIR) throw Failure(folder, "is not a folder");
  throw Failure(folder, "cannot be read: " + SystemErrorText(error.value()));
}

// Whether a file of this name is a project file; its number when it is.
std::optional<int> ChosenFile(const std::string& name, const std::vector<std::string>& globs) {
  if (globs.empty()) return ProjectFileNumber(name);
  const bool matches = std::any_of(globs.begin(), globs.end(), [&name](const std::string& glob) {
    return fnmatch(glob.c_str(), name.c_str(), 0) == 0;
  });
  return matches ? std::optional<int>(0) : std::nullopt;
}

}  // namespace

std::optional<int> ProjectFileNumber(std::string_view name) {
  if (!name.starts_with(kBaseName)) return std::nullopt;
  const std::string_view digits = name.substr(kBaseName.size());
  if (digits.empty()) return 0;
  if (digits.size() < 4 || !std::all_of(digits.begin(), digits.end(), [](char c) {
        return c >= '0' && c <= '9';
      })) {
    return std::nullopt;
  }
  int number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  // Number 0 names the file without digits, so "PROJ0000" is not its name.
  if (error != std::errc() || end != digits.data() + digits.size() || number == 0) {
    return std::nullopt;
  }
  if (name != NumberedFileName(number)) return std::nullopt;  // leading zeros beyond four digits
  return number;
}

std::string NumberedFileName(int number) {
  if (number == 0) return std::string(kBaseName);
  char printed[16];
  std::snprintf(printed, sizeof printed, "%04d", number);
  return std::string(kBaseName) + printed;
}

std::vector<ProjectFile> FindProjectFiles(const std::string& folder,
                                          const std::vector<std::string>& globs) {
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  if (error) FailFolder(folder, error);
  std::vector<ProjectFile> files;
  for (; entries != fs::directory_iterator(); entries.increment(error)) {
    std::string name = entries->path().filename().string();
    const std::optional<int> number = ChosenFile(name, globs);
    std::error_code type_error;  // an entry that cannot be looked at is no project file
    if (number && entries->is_regular_file(type_error)) {
      files.push_back(ProjectFile{*number, std::move(name)});
    }
  }
  if (error) FailFolder(folder, error);
  std::sort(files.begin(), files.end(), [](const ProjectFile& a, const ProjectFile& b) {
    return a.number != b.number ? a.number < b.number : a.name < b.name;
  });
  return files;
}

std::string ProjectFileNamesText(const std::vector<std::string>& globs) {
  if (globs.empty()) {
    return "project files are named PROJ, PROJ0001, PROJ0002, ... (--files GLOB chooses others)";
  }
  std::string text = "project files are those whose names match";
  for (const std::string& glob : globs) text += " --files " + glob;
  return text;
}

}  // namespace odbdiff
