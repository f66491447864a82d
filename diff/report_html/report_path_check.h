// The HTML reports never write over a file they read.
#ifndef DIFF_REPORT_HTML_REPORT_PATH_CHECK_H_
#define DIFF_REPORT_HTML_REPORT_PATH_CHECK_H_

#include <vector>  // std::vector

#include "diff/outcome/file_identity.h"  // NamedInput

namespace diff::report_html {

// Fails with DIFF_ERROR_ARGUMENT when `report_path` names a file that a
// report reads or that the module holds: the template about to be
// loaded (`template_path`, null when none is), the template loaded last, one
// of `inputs`, or a file of the comparison context.
void refuse_report_path(const char* report_path, const char* template_path,
                        std::vector<NamedInput> inputs = {});
// A null `report_path` passes: opening the report file refuses it.

}  // namespace diff::report_html

#endif  // DIFF_REPORT_HTML_REPORT_PATH_CHECK_H_
