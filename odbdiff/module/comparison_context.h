// The diff module's comparison context of one file comparison, ended
// whichever way the comparison ends.
#ifndef ODBDIFF_MODULE_COMPARISON_CONTEXT_H_
#define ODBDIFF_MODULE_COMPARISON_CONTEXT_H_

#include "module/module_binding.h"  // DiffModule

namespace odbdiff {

// Deletes the difference databases unless they are kept, then releases the
// context.
class ComparisonContext {
 public:
  ComparisonContext(const DiffModule& module, bool keep_difference_dbs)
      : module_(module), keep_difference_dbs_(keep_difference_dbs) {}
  ComparisonContext(const ComparisonContext&) = delete;
  ComparisonContext& operator=(const ComparisonContext&) = delete;
  ~ComparisonContext() {
    // A difference database that could not be deleted sits in a private
    // folder, which is removed with all it holds.
    if (!keep_difference_dbs_) module_.DeleteDiffObjs();
    module_.DiffTerminate();
  }

 private:
  const DiffModule& module_;
  bool keep_difference_dbs_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_MODULE_COMPARISON_CONTEXT_H_
