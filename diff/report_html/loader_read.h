// Reads through the loader library that fail because of the file itself.
#ifndef DIFF_REPORT_HTML_LOADER_READ_H_
#define DIFF_REPORT_HTML_LOADER_READ_H_

namespace diff::report_html {

// `answer`, the result of a loader call on `file`, passed through; a 0 for
// which the loader gave a reason (a damaged file, or one that changed while
// it was read) fails the call with DIFF_ERROR_READ naming the file. A 0
// without a reason is a plain "no" (a missing object or slot).
int loader_answer(const char* file, int answer);

}  // namespace diff::report_html

#endif  // DIFF_REPORT_HTML_LOADER_READ_H_
