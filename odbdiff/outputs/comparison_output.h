// One output of a comparison: a report, the JSON of differences, the counts,
// the kept difference databases. A command chooses its outputs from the
// request in one place and runs one comparison that feeds them all, taking
// each through the same steps in order:
//   1. CheckInputs, CheckOutputs: before anything is read, the files it reads
//      and writes are checked and added to the lists kept apart;
//   2. Stage: the place where it is written is made (nothing reaches the
//      final name before Commit), with the rules the comparison runs by;
//   3. Differences: while the comparison runs, its differences as they are
//      found, when it wants them;
//   4. ComparisonDone: right after the comparison;
//   5. WriteFromContext: from the difference databases, while they stand;
//      these writes may run side by side, each in a process of its own;
//   6. Write: after the comparison context has ended;
//   7. Commit: once every output is written, in the order chosen.
// Each step throws Failure naming the file when it fails.
#ifndef ODBDIFF_OUTPUTS_COMPARISON_OUTPUT_H_
#define ODBDIFF_OUTPUTS_COMPARISON_OUTPUT_H_

#include <filesystem>  // std::filesystem::path
#include <string>      // std::string
#include <vector>      // std::vector

#include "module/module_binding.h"     // DiffModule
#include "outputs/difference_sink.h"   // DifferenceSink
#include "request/comparison_rules.h"  // ComparisonRules

namespace odbdiff {

struct ComparedSlots;    // inputs/object_slots_compare.h
struct ComparedProject;  // project/compared_project.h

// The compared pair, or project, as the outputs see it.
struct ComparedPair {
  const DiffModule& module;
  std::string file_a;  // as read (a local copy of standard input or a pipe)
  std::string file_b;
  std::string given_a;  // as the user gave them
  std::string given_b;
  std::filesystem::path scratch = {};           // a private folder removed at the end
  const ComparedSlots* object_slots = nullptr;  // compare-object: the object's compared slots
  const ComparedProject* project = nullptr;     // compare-project: its pairs and their outcome
};

// What an output takes of the comparison while it runs.
struct DifferencesWanted {
  DifferenceSink* sink = nullptr;  // none: it takes nothing
  bool typed_values = false;       // the values as the files hold them, not as texts
};

class ComparisonOutput {
 public:
  virtual ~ComparisonOutput() = default;

  virtual void CheckInputs(std::vector<std::string>& /*inputs*/) {}
  virtual void CheckOutputs(std::vector<std::string>& outputs) = 0;
  // True when it goes to standard output, which it then has to itself.
  virtual bool ToStandardOutput() const { return false; }
  virtual void Stage(const ComparisonRules& /*rules*/) {}
  // True when it writes files of its own into ComparedPair::scratch.
  virtual bool UsesScratch() const { return false; }
  virtual DifferencesWanted Differences() { return {}; }
  virtual void ComparisonDone() {}
  virtual bool WritesFromContext() const { return false; }
  virtual void WriteFromContext(const ComparedPair& /*pair*/) {}
  virtual void Write(const ComparedPair& /*pair*/) {}
  virtual void Commit() = 0;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_COMPARISON_OUTPUT_H_
