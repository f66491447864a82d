// The three difference databases of a comparison, and keeping them in a
// folder of the user's so that it holds either its former complete set or
// the new one.
#ifndef ODBDIFF_OUTPUTS_DATABASES_KEPT_DIFFERENCE_DBS_H_
#define ODBDIFF_OUTPUTS_DATABASES_KEPT_DIFFERENCE_DBS_H_

#include <filesystem>  // std::filesystem::path
#include <string>      // std::string
#include <vector>      // std::vector

#include "module/module_binding.h"    // PathShown
#include "platform/scratch_folder.h"  // ScratchFolder

namespace odbdiff {

inline constexpr const char* kDifferenceDbNames[] = {"a-differences.odb", "b-differences.odb",
                                                     "combined-differences.odb"};

// Names of the three difference databases inside their folder.
struct DifferenceDbs {
  explicit DifferenceDbs(const std::filesystem::path& folder)
      : a((folder / kDifferenceDbNames[0]).string()),
        b((folder / kDifferenceDbNames[1]).string()),
        combined((folder / kDifferenceDbNames[2]).string()) {}

  std::vector<std::string> all() const { return {a, b, combined}; }

  std::string a;
  std::string b;
  std::string combined;
};

// The folder of the kept difference databases, made when absent; a folder
// made here is removed again (when empty) unless the command succeeds.
class KeptFolder {
 public:
  // Throws Failure when the folder cannot be made.
  explicit KeptFolder(const std::string& path);
  KeptFolder(const KeptFolder&) = delete;
  KeptFolder& operator=(const KeptFolder&) = delete;
  ~KeptFolder();

  const std::string& path() const { return path_; }
  void Keep() { kept_ = true; }

 private:
  std::string path_;
  bool made_ = false;
  bool kept_ = false;
};

// The difference databases kept in a folder: made in a private folder inside
// it and renamed into place by Commit, so that the folder holds either its
// former set or the new one. Without Commit the new ones are removed (a
// killed run's by a later run).
class KeptDifferenceDbs {
 public:
  // Throws Failure when the folders cannot be made.
  explicit KeptDifferenceDbs(const std::string& folder);

  // Where the module makes them.
  const DifferenceDbs& staged() const { return staged_; }

  // The final name of each staged database, for the module's messages.
  std::vector<PathShown> shown() const;

  // Makes the three durable and renames them into place, one right after the
  // other. Throws Failure naming the database that fails.
  void Commit();

 private:
  KeptFolder folder_;  // declared first: outlives the private folder inside it
  ScratchFolder staging_;
  DifferenceDbs staged_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_DATABASES_KEPT_DIFFERENCE_DBS_H_
