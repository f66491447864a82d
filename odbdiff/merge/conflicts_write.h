// The conflicts of a merge: one line each on standard error while they stand
// unresolved, and with --conflicts FILE one JSON document
// (docs/merge-conflicts.schema.json) written as they are found.
#ifndef ODBDIFF_MERGE_CONFLICTS_WRITE_H_
#define ODBDIFF_MERGE_CONFLICTS_WRITE_H_

#include <cstdio>    // std::FILE
#include <optional>  // std::optional
#include <string>    // std::string

#include "merge/slot_merge.h"           // Favor, ConflictKind
#include "merge/three_way_merge.h"      // ConflictSink, Conflict, MergeFiles
#include "outputs/staged_output.h"      // StagedOutput

namespace odbdiff {

// The name of a kind of conflict in the document: "both-changed", ...
const char* ConflictKindName(ConflictKind kind);

// The line that tells a conflict on standard error, without "odbdiff: " and
// the newline: object "pump-P-101", slot "flow": changed in ours and in theirs
std::string ConflictLine(const Conflict& conflict);

class ConflictsWriter final : public ConflictSink {
 public:
  // `file`: the path of --conflicts, staged until Commit; none for standard
  // error alone. `files` as the user named them; the lines on standard error
  // name `shown`. Throws Failure when the file cannot be made.
  ConflictsWriter(const std::optional<std::string>& file, const MergeFiles& files, Favor favor,
                  std::string shown);
  ConflictsWriter(const ConflictsWriter&) = delete;
  ConflictsWriter& operator=(const ConflictsWriter&) = delete;
  ~ConflictsWriter() override;

  void Take(const Conflict& conflict) override;

  // Ends the document and puts it in place. Throws Failure when a write fails.
  void Commit();

 private:
  void Flush();

  Favor favor_;
  std::string shown_;
  std::optional<StagedOutput> staged_;
  std::FILE* file_ = nullptr;
  std::string buffer_;
  std::size_t count_ = 0;
};

}  // namespace odbdiff

#endif  // ODBDIFF_MERGE_CONFLICTS_WRITE_H_
