#include "diff/report_html/project_file_names.h"

#include <cstdio>  // std::snprintf

namespace diff::report_html {

std::string project_file_name(const char* prefix, std::int64_t number) {
  std::string name = prefix != nullptr ? prefix : "";
  name += "PROJ";
  if (number != 0) {
    // Room for the longest, "-2147483648", and the NUL.
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04d", static_cast<std::int32_t>(number));
    name += digits;
  }
  return name;
}

}  // namespace diff::report_html
