// diff_ReportFileHTML: the HTML block of one file, from its status file.
#ifndef DIFF_REPORT_HTML_FILE_REPORT_H_
#define DIFF_REPORT_HTML_FILE_REPORT_H_

#include "diff/options/comparison_rules.h"  // ComparisonRules

namespace diff {

// Writes the block of one file into the HTML report at `report_path`: the
// file start section ("_AFILE_", "_BFILE_"), one object block per reported
// object of the status file, in its object order, and the file end section,
// each appended in its own opening of the report file. Opens `a_file`,
// `b_file` and `status_file` in the loader library, in this order, and
// closes them again before returning. An object is reported when `show_all`
// is set or its status texts hold "100000", "3", "4" or "0"; its rows come
// from the slot status codes (see mark_slot_lists). Unless `nested` is set,
// loads the template and starts the report file first, and finishes it
// after. Null texts count as empty. Returns 1 when written; 0 when one of the
// three files cannot be opened (the report file and the template are then
// untouched; DIFF_ERROR_READ naming it), when the template cannot be loaded,
// or when the report file cannot be started, opened or written; the failure
// is recorded (a null report path as DIFF_ERROR_ARGUMENT). Fails (throws
// Failure) with DIFF_ERROR_ARGUMENT, touching nothing, for a report path
// that names one of the three files, the template (given or loaded last) or
// a file of the comparison context. The objects and slots that `rules`
// ignore get no block and no row.
int report_file_html(const ComparisonRules& rules, const char* a_file, const char* b_file,
                     const char* status_file, const char* a_file_label,
                     const char* b_file_label, const char* a_title, const char* b_title,
                     const char* report_path, const char* template_path, int show_all,
                     int nested);

namespace report_html {

enum class FileReportOutcome {
  kWritten,
  kFilesNotOpened,  // the loader could not open one of the three files: nothing written
  kFailed,          // the template or the report file failed
};

// What report_file_html does once its report path is checked, telling apart
// a file that was skipped because the loader could not open it (named
// through `unopened_file` when that is not null; not recorded as a failure,
// which is the caller's to decide).
FileReportOutcome write_file_report(const ComparisonRules& rules, const char* a_file,
                                    const char* b_file, const char* status_file,
                                    const char* a_file_label,
                                    const char* b_file_label, const char* a_title,
                                    const char* b_title, const char* report_path,
                                    const char* template_path, bool show_all, bool nested,
                                    const char** unopened_file);

}  // namespace report_html
}  // namespace diff

#endif  // DIFF_REPORT_HTML_FILE_REPORT_H_
