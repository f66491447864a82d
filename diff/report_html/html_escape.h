// Escaping texts from object files for the HTML report.
#ifndef DIFF_REPORT_HTML_HTML_ESCAPE_H_
#define DIFF_REPORT_HTML_HTML_ESCAPE_H_

#include <string>       // std::string
#include <string_view>  // std::string_view

namespace diff::report_html {

// `text` with the five characters that HTML gives a meaning written as
// entities: & as &amp;, < as &lt;, > as &gt;, " as &quot;, ' as &#39;.
// Every other byte stays as it is.
std::string html_escaped(std::string_view text);

}  // namespace diff::report_html

#endif  // DIFF_REPORT_HTML_HTML_ESCAPE_H_
