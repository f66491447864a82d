#include "diff/report_html/status_objects.h"

#include "diff/host/loader_library.h"     // _vx_ld_5
#include "diff/report_html/loader_read.h"  // loader_answer

namespace diff::report_html {
namespace {

// The room asked for first; most status files list fewer names.
constexpr int kFirstListSize = 6145;

}  // namespace

std::string status_object_list(const char* status_file) {
  std::string list(kFirstListSize, '\0');
  const int needed =
      loader_answer(status_file, _vx_ld_5(status_file, list.data(), kFirstListSize));
  if (needed > kFirstListSize) {
    // Ask again with room for the whole list. Should the file have grown in
    // between, the loader leaves the buffer an empty list.
    list.assign(static_cast<std::string::size_type>(needed), '\0');
    loader_answer(status_file, _vx_ld_5(status_file, list.data(), needed));
  }
  return list;
}

}  // namespace diff::report_html
