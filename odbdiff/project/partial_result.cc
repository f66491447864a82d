#include "project/partial_result.h"  // PartialResultOutput, ReadPartialManifest, ShardPairs, DescribeOrigin

#include <fcntl.h>     // AT_FDCWD
#include <stdio.h>     // renameat2, RENAME_EXCHANGE
#include <sys/stat.h>  // stat: a file's size and time

#include <algorithm>     // std::sort, std::unique, the globs of --files
#include <cerrno>        // errno
#include <cstdint>       // std::uint64_t
#include <fstream>       // std::ifstream, std::ofstream
#include <iterator>      // std::istreambuf_iterator
#include <system_error>  // std::error_code

#include "json/json_document_read.h"  // ReadJsonDocument, kManifestLimit
#include "outputs/staged_output.h"    // SyncFile, SyncFolder
#include "platform/failure.h"         // Failure, SystemErrorText
#include "project/project_files.h"    // FindProjectFiles

namespace odbdiff {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr char kFormat[] = "odbdiff partial project result";
constexpr int kVersion = 1;

// The slot rules in the manifest, so that shares compared under other slot
// rules are not put together.
json SlotRulesJson(const std::vector<SlotRule>& slot_rules) {
  json rules = json::array();
  for (const SlotRule& rule : slot_rules) {
    rules.push_back({{"object", rule.object}, {"slot", rule.slot}, {"rule", rule.rule},
                     {"relative", rule.relative}, {"absolute", rule.absolute},
                     {"case", rule.text_case}, {"lists", rule.lists}});
  }
  return rules;
}

// Each project file of the folder: its name, size and modification time, so
// that other files, or the same ones changed, tell apart.
json FolderFiles(const std::string& folder, const std::vector<std::string>& file_globs) {
  json files = json::array();
  for (const ProjectFile& file : FindProjectFiles(folder, file_globs)) {
    const std::string path = ProjectFilePath(folder, file.name);
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) throw Failure(path, SystemErrorText(errno));
    files.push_back({file.name, info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec});
  }
  return files;
}

// The 64-bit FNV-1a hash of a file's bytes, in hexadecimal.
std::string ContentHash(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Failure(path, "cannot be read");
  std::uint64_t hash = 14695981039346656037ULL;
  for (std::istreambuf_iterator<char> byte(in), end; byte != end; ++byte) {
    hash = (hash ^ static_cast<unsigned char>(*byte)) * 1099511628211ULL;
  }
  if (in.bad()) throw Failure(path, "cannot be read");
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

// DIR without a trailing separator, so that its parent is the folder it is in.
fs::path WithoutTrailingSeparator(const std::string& dir) {
  fs::path path(dir);
  return path.has_filename() ? path : path.parent_path();
}

fs::path ParentOf(const std::string& dir) {
  const fs::path parent = WithoutTrailingSeparator(dir).parent_path();
  return parent.empty() ? fs::path(".") : parent;
}

// Whether DIR exists; throws when it is there but cannot take a partial result.
bool CheckReplaceable(const std::string& dir) {
  std::error_code error;
  const fs::file_status status = fs::symlink_status(WithoutTrailingSeparator(dir), error);
  if (status.type() == fs::file_type::not_found) return false;
  if (error) throw Failure(dir, SystemErrorText(error.value()));
  if (status.type() != fs::file_type::directory) throw Failure(dir, "is not a folder");
  const bool empty = fs::is_empty(dir, error);
  if (error) throw Failure(dir, SystemErrorText(error.value()));
  if (!empty && !fs::exists(fs::path(dir) / kManifestName, error)) {
    throw Failure(dir, "is neither empty nor a partial result");
  }
  return true;
}

[[noreturn]] void Damaged(const std::string& dir, const std::string& what) {
  throw Failure(dir, std::string(kManifestName) + " is not valid: " + what);
}

}  // namespace

std::vector<std::size_t> ShardPairs(std::size_t pairs, const Shard& shard) {
  std::vector<std::size_t> positions;
  for (std::size_t position = static_cast<std::size_t>(shard.index - 1); position < pairs;
       position += static_cast<std::size_t>(shard.count)) {
    positions.push_back(position);
  }
  return positions;
}

PartialOrigin DescribeOrigin(const std::string& folder_a, const std::string& folder_b,
                             const std::vector<std::string>& file_globs,
                             const ComparisonRules& rules,
                             const std::optional<std::string>& accept_file) {
  json options = {{"value-rule", rules.value_rule},
                  {"tolerance", rules.tolerance_percent},
                  {"ignore-objects", rules.ignore_objects},
                  {"ignore-slots", rules.ignore_slots},
                  {"slot-rules", SlotRulesJson(rules.slot_rules)},
                  {"accept", accept_file ? json(ContentHash(*accept_file)) : json(nullptr)}};
  // The order and repeats of --files choose no other files.
  std::vector<std::string> globs = file_globs;
  std::sort(globs.begin(), globs.end());
  globs.erase(std::unique(globs.begin(), globs.end()), globs.end());
  return PartialOrigin{FolderFiles(folder_a, file_globs), FolderFiles(folder_b, file_globs),
                       std::move(options), std::move(globs)};
}

PartialResultOutput::PartialResultOutput(const std::string& dir, const Shard& shard)
    : dir_((CheckReplaceable(dir), dir)),
      side_(ParentOf(dir), std::string(kSideFolderPrefix) + "share-" +
                               std::to_string(shard.index) + "-"),
      folder_(side_.path() / "partial") {
  std::error_code error;
  fs::create_directory(folder_, error);
  if (error) throw Failure(dir_, "cannot be made: " + SystemErrorText(error.value()));
}

void PartialResultOutput::Commit(const PartialManifest& manifest) {
  json pairs = json::array();
  for (const PartialPair& pair : manifest.pairs) {
    pairs.push_back({{"name", pair.name}, {"differ", pair.differ}});
  }
  const json shard = {{"index", manifest.shard.index}, {"count", manifest.shard.count}};
  const json document = {{"format", kFormat},
                         {"version", kVersion},
                         {"shard", shard},
                         {"folder-a", manifest.origin.folder_a},
                         {"folder-b", manifest.origin.folder_b},
                         {"files", manifest.origin.file_globs},
                         {"options", manifest.origin.options},
                         {"pairs", pairs}};
  const std::string manifest_path = (folder_ / kManifestName).string();
  {
    std::ofstream out(manifest_path, std::ios::binary);
    out << document.dump(1) << '\n';
    out.close();
    if (!out) throw Failure(dir_, "cannot write its manifest");
  }
  SyncFile(manifest_path, dir_);
  SyncFolder(folder_, dir_);
  // An earlier partial result or an empty folder at DIR changes places with
  // the new one and goes with the private folder.
  const bool replace = CheckReplaceable(dir_);
  const fs::path target = WithoutTrailingSeparator(dir_);
  const int result = replace ? renameat2(AT_FDCWD, folder_.c_str(), AT_FDCWD, target.c_str(),
                                         RENAME_EXCHANGE)
                             : std::rename(folder_.c_str(), target.c_str());
  if (result != 0) {
    throw Failure(dir_, "cannot put the partial result in place: " + SystemErrorText(errno));
  }
  SyncFolder(ParentOf(dir_), dir_);
}

PartialManifest ReadPartialManifest(const std::string& dir) {
  const fs::path path = fs::path(dir) / kManifestName;
  std::error_code error;
  if (!fs::is_regular_file(path, error)) {
    throw Failure(dir, "is no partial result of compare-project (no " +
                           std::string(kManifestName) + ")");
  }
  const json document = ReadJsonDocument(path.string(), kManifestLimit);
  try {
    if (document.at("format") != kFormat) Damaged(dir, "another format");
    const int version = document.at("version").get<int>();
    if (version != kVersion) {
      throw Failure(dir, "a partial result of format version " + std::to_string(version) +
                             ", this odbdiff reads version " + std::to_string(kVersion));
    }
    PartialManifest manifest;
    manifest.shard = Shard{document.at("shard").at("index").get<int>(),
                           document.at("shard").at("count").get<int>()};
    if (manifest.shard.index < 1 || manifest.shard.index > manifest.shard.count) {
      Damaged(dir, "no share I/N");
    }
    // A manifest without "files" was written before --files was known.
    manifest.origin = PartialOrigin{
        document.at("folder-a"), document.at("folder-b"), document.at("options"),
        document.contains("files") ? document.at("files").get<std::vector<std::string>>()
                                   : std::vector<std::string>()};
    for (const json& pair : document.at("pairs")) {
      manifest.pairs.push_back(
          PartialPair{pair.at("name").get<std::string>(), pair.at("differ").get<bool>()});
    }
    return manifest;
  } catch (const json::exception& fault) {
    Damaged(dir, std::string(ParserMessage(fault.what())));
  }
}

}  // namespace odbdiff
