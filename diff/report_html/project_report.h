// diff_ReportProjectHTML: the HTML report of a project of numbered files.
#ifndef DIFF_REPORT_HTML_PROJECT_REPORT_H_
#define DIFF_REPORT_HTML_PROJECT_REPORT_H_

#include "diff/host/list_library.h"        // list2
#include "diff/options/comparison_rules.h"  // ComparisonRules

namespace diff {

// Writes the project start section ("_APROJ_ " with its blank, "_BPROJ_"),
// the block of every file of the project (see report_file_html) and the
// project end section into the HTML report at `report_path`. File i has the
// label item i of `file_labels` (for both "_AFILE_" and "_BFILE_"), the A
// file `a_prefix` "PROJ" and the data word of item i of `a_numbers` (see
// project_file_name), the B file likewise from `b_prefix` and `b_numbers`,
// and the status file `status_prefix` followed by item i of `status_names`.
// A file that the loader cannot open leaves no trace. Unless `nested` is
// set, loads the template and starts the report file first, and finishes it
// after. Null texts count as empty. Returns 1 when written; 0 when the
// template cannot be loaded (the report file is then untouched), or when the
// report file cannot be started, opened or written; the failure is recorded.
// Fails (throws Failure) with DIFF_ERROR_ARGUMENT, touching nothing, for a
// report path that names a file of the project, the template (given or
// loaded last) or a file of the comparison context. The blocks follow
// `rules`, as those of report_file_html do.
int report_project_html(const ComparisonRules& rules, list2 file_labels, list2 a_numbers,
                        list2 b_numbers, list2 status_names, const char* a_prefix,
                        const char* b_prefix, const char* a_project,
                        const char* b_project, const char* a_title, const char* b_title,
                        const char* status_prefix, const char* report_path,
                        const char* template_path, int show_all, int nested);

}  // namespace diff

#endif  // DIFF_REPORT_HTML_PROJECT_REPORT_H_
