// The object-file comparison driver.
#ifndef DIFF_FILEDIFF_OBJFILES_COMPARE_H_
#define DIFF_FILEDIFF_OBJFILES_COMPARE_H_

#include <cstdint>  // std::uint32_t

namespace diff {

// diff_objfiles_ormo: compares object files A and B object by object and
// slot by slot, records every difference in the three difference databases
// and leaves the comparison context closed with the records saved. Prints
// "\nComparing Object Files A: %s and B: %s\n" and one "Processing Object
// %s\n" per object. Returns 1 when the files differ, else 0.
int compare_object_files(const char* object_file_a, const char* object_file_b,
                         const char* a_difference_db, const char* b_difference_db,
                         const char* combined_difference_db, std::uint32_t user_instance);

}  // namespace diff

#endif  // DIFF_FILEDIFF_OBJFILES_COMPARE_H_
