// The objects that a status file lists for the report.
#ifndef DIFF_REPORT_HTML_STATUS_OBJECTS_H_
#define DIFF_REPORT_HTML_STATUS_OBJECTS_H_

#include <cstring>  // std::strlen
#include <string>   // std::string

namespace diff::report_html {

// The object names of `status_file` (open in the loader), in its object
// order, as a text-list buffer: each name closed by a NUL, the run closed by
// one more. The whole list, however long; an empty list when the loader
// gives none.
std::string status_object_list(const char* status_file);

// Calls `visit` with each name of the text-list buffer `list`, in order,
// each whole. Never reads past the string, even when the list in it is not
// closed.
template <typename Visit>
void for_each_listed_name(const std::string& list, Visit&& visit) {
  const char* const end = list.c_str() + list.size();
  for (const char* name = list.c_str(); name < end && *name != '\0';
       name += std::strlen(name) + 1) {
    visit(name);
  }
}

}  // namespace diff::report_html

#endif  // DIFF_REPORT_HTML_STATUS_OBJECTS_H_
