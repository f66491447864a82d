#include "outputs/databases/kept_difference_dbs.h"  // KeptFolder, KeptDifferenceDbs

#include <sys/stat.h>  // mkdir
#include <unistd.h>    // rmdir

#include <cerrno>  // errno, EEXIST, ENOENT
#include <cstdio>  // std::remove, std::rename

#include "outputs/staged_output.h"  // SyncFile, SyncFolder
#include "platform/failure.h"       // Failure, SystemErrorText

namespace odbdiff {

namespace fs = std::filesystem;

KeptFolder::KeptFolder(const std::string& path) : path_(path) {
  if (mkdir(path.c_str(), 0777) == 0) {
    made_ = true;
  } else if (errno != EEXIST) {
    throw Failure(path, "cannot make the folder: " + SystemErrorText(errno));
  }
}

KeptFolder::~KeptFolder() {
  // Should it not be empty, someone else put something there: it stays.
  if (made_ && !kept_) rmdir(path_.c_str());
}

KeptDifferenceDbs::KeptDifferenceDbs(const std::string& folder)
    : folder_(folder), staging_(folder, kSideFolderPrefix), staged_(staging_.path()) {}

std::vector<PathShown> KeptDifferenceDbs::shown() const {
  std::vector<PathShown> paths;
  for (const char* name : kDifferenceDbNames) {
    paths.push_back(
        {(staging_.path() / name).string(), (fs::path(folder_.path()) / name).string()});
  }
  return paths;
}

void KeptDifferenceDbs::Commit() {
  const std::vector<PathShown> paths = shown();
  for (const PathShown& path : paths) SyncFile(path.given, path.shown);
  for (const PathShown& path : paths) {
    // A journal left beside a former database by a crash while it was
    // written would be played back into the new one.
    const std::string journal = path.shown + "-journal";
    if (std::remove(journal.c_str()) != 0 && errno != ENOENT) {
      throw Failure(journal,
                    "cannot remove the former database's journal: " + SystemErrorText(errno));
    }
  }
  // Nothing but the renames between the first and the last: the moment in
  // which a crash leaves a mixed set is as short as can be.
  folder_.Keep();
  for (const PathShown& path : paths) {
    if (std::rename(path.given.c_str(), path.shown.c_str()) != 0) {
      throw Failure(path.shown,
                    "cannot put the new difference database in place: " + SystemErrorText(errno));
    }
  }
  SyncFolder(folder_.path(), folder_.path());
}

}  // namespace odbdiff
