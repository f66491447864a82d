// diff_object_WriteTextFile: one object's slot comparison as a two-sided
// text table.
#ifndef DIFF_REPORT_TEXT_OBJECT_TEXT_FILE_H_
#define DIFF_REPORT_TEXT_OBJECT_TEXT_FILE_H_

#include "diff/host/list_library.h"  // list2

namespace diff {

// Writes the slots of side A with their values on the left and those of
// side B on the right, from lists marked by a keyed list comparison and in
// one order (as diff_list2 hands them back): each run of unmatched slots
// (data word DIFF_STATUS_DIFFERENT) of A, then of B, gets rows of its own,
// then the next slots of both sides share one row. After a three-line
// header and an empty line, each row is "%12s%32s%12s%32s\n" of A slot, A
// value, B slot, B value; longer texts are written whole. A value item
// missing from a value list shorter than its slot list shows as empty.
// Reads nothing but the lists and prints nothing.
//
// Returns 0 when the file was written. Fails (throws Failure) with
// DIFF_ERROR_ARGUMENT for a null path or one that names a file of the
// comparison context, and with DIFF_ERROR_WRITE when the file cannot be
// created or written in full; the file is written whole or not at all (see
// OutputFile).
int write_object_text_file(list2 a_slots, list2 a_values, list2 b_slots, list2 b_values,
                           const char* report_path);

}  // namespace diff

#endif  // DIFF_REPORT_TEXT_OBJECT_TEXT_FILE_H_
