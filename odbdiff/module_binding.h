// The diff module as odbdiff sees it: libdiff.so.0 loaded at run time and the
// entry points odbdiff calls, bound once, as any host binds them.
#ifndef ODBDIFF_MODULE_BINDING_H_
#define ODBDIFF_MODULE_BINDING_H_

#include <string>  // std::string
#include <vector>  // std::vector

#include "diff/diff.h"  // the entry points' declarations, which give their types

namespace odbdiff {

// The entry points, named as the module exports them. The types come from
// diff.h, so a changed signature breaks the build here and not at run time.
struct DiffModule {
  decltype(&::diff_list2) diff_list2;
  decltype(&::diff_objfiles_ormo) diff_objfiles_ormo;
  decltype(&::DeleteDiffObjs) DeleteDiffObjs;
  decltype(&::DiffTerminate) DiffTerminate;
  decltype(&::GenTextReport) GenTextReport;
  decltype(&::GenSumReport) GenSumReport;
  decltype(&::diff_object_WriteTextFile) diff_object_WriteTextFile;
  decltype(&::diff_objects_ormo) diff_objects_ormo;
  decltype(&::diff_ReportObjectHTML) diff_ReportObjectHTML;
  decltype(&::diff_ReportFileHTML) diff_ReportFileHTML;
  decltype(&::diff_ReportProjectHTML) diff_ReportProjectHTML;
  decltype(&::diff_last_error) diff_last_error;
  decltype(&::diff_set_value_rule) diff_set_value_rule;
  decltype(&::diff_reset_options) diff_reset_options;
  decltype(&::diff_ignore_object) diff_ignore_object;
  decltype(&::diff_ignore_slot) diff_ignore_slot;
  decltype(&::diff_is_ignored) diff_is_ignored;
  decltype(&::diff_accept_difference) diff_accept_difference;
  decltype(&::diff_clear_accepted) diff_clear_accepted;
  decltype(&::diff_is_accepted) diff_is_accepted;
  decltype(&::diff_set_event_observer) diff_set_event_observer;
  decltype(&::diff_object_list2) diff_object_list2;
  decltype(&::diff_getObjectTemplate) diff_getObjectTemplate;
  decltype(&::diff_start_HTML_file) diff_start_HTML_file;
  decltype(&::diff_end_HTML_file) diff_end_HTML_file;
};

// Loads the module (dlopen of "libdiff.so.0", found through odbdiff's
// RUNPATH) and binds its entry points on the first call; later calls return
// the same binding. Throws Failure when the module or an entry point cannot
// be found. The module stays loaded until the process ends.
const DiffModule& BindDiffModule();

// A path odbdiff gave the module (a file under its temporary name) and the
// name the user knows the file by.
struct PathShown {
  std::string given;
  std::string shown;
};

// Throws Failure with the module's message when the entry point called last
// on this thread failed, each path of `shown` in it replaced by the name the
// user gave.
void ThrowIfModuleFailed(const DiffModule& module, const std::vector<PathShown>& shown = {});

}  // namespace odbdiff

#endif  // ODBDIFF_MODULE_BINDING_H_
