// A small HTML report template: every section one line, so that a report
// built from it can be written out by hand. Each section line carries its
// markers at the end (a line with both markers of a section is the whole
// section), and every instance of a section is followed by an empty line.
#ifndef DIFF_TESTS_ODBDIFF_SMALL_TEMPLATE_H_
#define DIFF_TESTS_ODBDIFF_SMALL_TEMPLATE_H_

namespace odbdiff_test {

inline constexpr char kSmallTemplate[] =
    "<report> _INITIAL_\n"
    "<project [_APROJ_ ] [_BPROJ_]> _PROJ_START_START_PROJ_START_END\n"
    "</project> _PROJ_END_START_PROJ_END_END\n"
    "<file [_AFILE_] [_BFILE_]> _FILE_START_START_FILE_START_END\n"
    "</file> _FILE_END_START_FILE_END_END\n"
    "<object [_OBJ_NAME_] [_ATITLE_] [_BTITLE_]> _OBJ_START_START_OBJ_START_END\n"
    "</object> _OBJ_END_START_OBJ_END_END\n"
    "<row [_ASLOT_]=[_AVALUE_] [_BSLOT_]=[_BVALUE_]> _OBJ_ROW_START_OBJ_ROW_END\n"
    "</report> _FINAL_\n";

}  // namespace odbdiff_test

#endif  // DIFF_TESTS_ODBDIFF_SMALL_TEMPLATE_H_
