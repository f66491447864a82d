#include "diff/report_html/loader_files.h"

#include "diff/host/loader_library.h"  // _vx_ld_31, _vx_ld_33

namespace diff::report_html {

LoaderFiles::~LoaderFiles() {
  // The result is not needed: a file opened under two of the names is closed
  // by the first close and reported as not open by the second.
  for (std::size_t i = 0; i < count_; ++i) _vx_ld_33(files_[i]);
}

bool LoaderFiles::open(const char* file) {
  if (count_ == kCapacity || _vx_ld_31(file) == 0) return false;
  files_[count_++] = file;
  return true;
}

}  // namespace diff::report_html
