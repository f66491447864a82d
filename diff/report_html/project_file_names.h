// The names of a project's numbered files.
#ifndef DIFF_REPORT_HTML_PROJECT_FILE_NAMES_H_
#define DIFF_REPORT_HTML_PROJECT_FILE_NAMES_H_

#include <cstdint>  // std::int64_t
#include <string>   // std::string

namespace diff::report_html {

// `prefix`, then "PROJ", then, when `number` is not 0, its low 32 bits as a
// signed decimal of at least four characters padded with zeros: 7 gives
// "PROJ0007", 12345 "PROJ12345", -5 "PROJ-005". A null prefix is empty.
std::string project_file_name(const char* prefix, std::int64_t number);

}  // namespace diff::report_html

#endif  // DIFF_REPORT_HTML_PROJECT_FILE_NAMES_H_
