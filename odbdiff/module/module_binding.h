// The diff module as odbdiff sees it: libdiff.so.0 loaded at run time and the
// entry points odbdiff calls, bound once, as any host binds them.
#ifndef ODBDIFF_MODULE_MODULE_BINDING_H_
#define ODBDIFF_MODULE_MODULE_BINDING_H_

#include <string>  // std::string
#include <vector>  // std::vector

#include "diff/diff.h"  // the entry points' declarations, which give their types

namespace odbdiff {

// The entry points odbdiff calls, listed once: X(name) for each, named as
// the module exports them. The struct and the binding are both made from it.
#define ODBDIFF_DIFF_ENTRY_POINTS(X) \
  X(diff_list2)                      \
  X(diff_objfiles_ormo)              \
  X(DeleteDiffObjs)                  \
  X(DiffTerminate)                   \
  X(GenTextReport)                   \
  X(GenSumReport)                    \
  X(diff_object_WriteTextFile)       \
  X(diff_objects_ormo)               \
  X(diff_ReportObjectHTML)           \
  X(diff_ReportFileHTML)             \
  X(diff_ReportProjectHTML)          \
  X(diff_last_error)                 \
  X(diff_set_value_rule)             \
  X(diff_reset_options)              \
  X(diff_add_slot_rule)              \
  X(diff_explain_values)             \
  X(diff_ignore_object)              \
  X(diff_ignore_slot)                \
  X(diff_is_ignored)                 \
  X(diff_accept_difference)          \
  X(diff_clear_accepted)             \
  X(diff_is_accepted)                \
  X(diff_set_event_observer)         \
  X(diff_object_list2)               \
  X(diff_getObjectTemplate)          \
  X(diff_start_HTML_file)            \
  X(diff_end_HTML_file)

// The entry points, each of the type diff.h declares, so that a changed
// signature breaks the build here and not at run time.
struct DiffModule {
#define ODBDIFF_ENTRY_POINT_MEMBER(name) decltype(&::name) name;
  ODBDIFF_DIFF_ENTRY_POINTS(ODBDIFF_ENTRY_POINT_MEMBER)
#undef ODBDIFF_ENTRY_POINT_MEMBER
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

#endif  // ODBDIFF_MODULE_MODULE_BINDING_H_
