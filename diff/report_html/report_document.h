// diff_start_HTML_file and diff_end_HTML_file: beginning and finishing an
// HTML report file, and the same steps for a report that makes a whole
// document on its own.
#ifndef DIFF_REPORT_HTML_REPORT_DOCUMENT_H_
#define DIFF_REPORT_HTML_REPORT_DOCUMENT_H_

namespace diff {

// Creates the report file, or empties it, and writes the initial section as
// it stands. Returns 0 when done; EOF, with the failure recorded
// (DIFF_ERROR_WRITE naming the file), when the file cannot be opened, or a
// write or the close fails (a null path: DIFF_ERROR_ARGUMENT). Fails (throws
// Failure) with DIFF_ERROR_ARGUMENT, touching nothing, for a path that names
// the template loaded last or a file of the comparison context.
int start_html_file(const char* report_path);

// Appends the final section as it stands, creating the file when it does not
// exist. Results as for start_html_file.
int end_html_file(const char* report_path);

namespace report_html {

// For a report that is not nested in another: loads the template and starts
// the report file. False when either fails.
bool begin_document(const char* template_path, const char* report_path);

// Appends the final section to the report file. False when that fails.
bool finish_document(const char* report_path);

}  // namespace report_html
}  // namespace diff

#endif  // DIFF_REPORT_HTML_REPORT_DOCUMENT_H_
