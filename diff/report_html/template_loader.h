// diff_getObjectTemplate: loading the HTML report template.
#ifndef DIFF_REPORT_HTML_TEMPLATE_LOADER_H_
#define DIFF_REPORT_HTML_TEMPLATE_LOADER_H_

#include <string>  // std::string

namespace diff {

// Reads the template at `template_path` in reads of at most 511 characters
// (the rest of a longer line comes as the next reads) and makes its sections
// the process's template sections (see TemplateSplitter). A template without
// "_INITIAL_", or with a section left open, is read to its end like any
// other. Returns 1 when the template was read to its end; 0 when it cannot
// be opened or reading it fails (the failure is recorded, DIFF_ERROR_READ
// naming the file), and then no section changes.
int load_html_template(const char* template_path);

namespace report_html {

// The path of the template loaded last, made absolute when it was loaded;
// empty before any load. Reports never write over it.
const std::string& loaded_template_path();

}  // namespace report_html

}  // namespace diff

#endif  // DIFF_REPORT_HTML_TEMPLATE_LOADER_H_
