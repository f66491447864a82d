// The object-file comparison driver.
#ifndef DIFF_FILEDIFF_OBJFILES_COMPARE_H_
#define DIFF_FILEDIFF_OBJFILES_COMPARE_H_

#include <cstdint>  // std::uint32_t

#include "diff/options/comparison_rules.h"  // ComparisonRules

namespace diff {

// diff_objfiles_ormo: compares object files A and B object by object and
// slot by slot under `rules`, records every difference in the three
// difference databases and leaves the comparison context closed with the
// records saved. Prints
// "\nComparing Object Files A: %s and B: %s\n" and one "Processing Object
// %s\n" per object. Returns 1 when the files differ, else 0.
//
// Fails (throws Failure) with DIFF_ERROR_ARGUMENT, before anything is opened
// and leaving an earlier context as it was, for a null or empty name or a
// difference database that names an object file or another difference
// database; with DIFF_ERROR_READ when an object file cannot be opened or
// read; with DIFF_ERROR_WRITE when a difference database cannot be made,
// written or saved. A comparison that fails stops at its first failure and
// removes the difference databases it started.
int compare_object_files(const ComparisonRules& rules, const char* object_file_a,
                         const char* object_file_b, const char* a_difference_db,
                         const char* b_difference_db, const char* combined_difference_db,
                         std::uint32_t user_instance);

}  // namespace diff

#endif  // DIFF_FILEDIFF_OBJFILES_COMPARE_H_
