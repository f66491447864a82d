#include "module_binding.h"  // DiffModule, BindDiffModule

#include <dlfcn.h>  // dlopen, dlsym, dlerror

#include <string>  // std::string

#include "failure.h"  // Failure

namespace odbdiff {
namespace {

constexpr char kModuleName[] = "libdiff.so.0";

template <typename Function>
void Bind(void* module, const char* name, Function& function) {
  dlerror();  // clears an earlier error, so that a null result can be told apart
  void* address = dlsym(module, name);
  const char* error = dlerror();
  if (error != nullptr || address == nullptr) {
    throw Failure(kModuleName, std::string("no entry point ") + name + " in the diff module");
  }
  function = reinterpret_cast<Function>(address);
}

DiffModule LoadModule() {
  // The handle is never closed: the module keeps process-wide state until
  // DiffTerminate, and unloading it at exit gains nothing.
  void* module = dlopen(kModuleName, RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    const char* error = dlerror();
    throw Failure(std::string("cannot load the diff module: ") +
                  (error != nullptr ? error : kModuleName));
  }
  DiffModule bound{};
  Bind(module, "diff_list2", bound.diff_list2);
  Bind(module, "diff_objfiles_ormo", bound.diff_objfiles_ormo);
  Bind(module, "DeleteDiffObjs", bound.DeleteDiffObjs);
  Bind(module, "DiffTerminate", bound.DiffTerminate);
  Bind(module, "GenTextReport", bound.GenTextReport);
  Bind(module, "GenSumReport", bound.GenSumReport);
  Bind(module, "diff_object_WriteTextFile", bound.diff_object_WriteTextFile);
  Bind(module, "diff_objects_ormo", bound.diff_objects_ormo);
  Bind(module, "diff_ReportObjectHTML", bound.diff_ReportObjectHTML);
  Bind(module, "diff_ReportFileHTML", bound.diff_ReportFileHTML);
  Bind(module, "diff_ReportProjectHTML", bound.diff_ReportProjectHTML);
  Bind(module, "diff_last_error", bound.diff_last_error);
  Bind(module, "diff_set_value_rule", bound.diff_set_value_rule);
  Bind(module, "diff_reset_options", bound.diff_reset_options);
  Bind(module, "diff_ignore_object", bound.diff_ignore_object);
  Bind(module, "diff_ignore_slot", bound.diff_ignore_slot);
  Bind(module, "diff_is_ignored", bound.diff_is_ignored);
  Bind(module, "diff_accept_difference", bound.diff_accept_difference);
  Bind(module, "diff_clear_accepted", bound.diff_clear_accepted);
  Bind(module, "diff_is_accepted", bound.diff_is_accepted);
  Bind(module, "diff_set_event_observer", bound.diff_set_event_observer);
  Bind(module, "diff_object_list2", bound.diff_object_list2);
  Bind(module, "diff_getObjectTemplate", bound.diff_getObjectTemplate);
  Bind(module, "diff_start_HTML_file", bound.diff_start_HTML_file);
  Bind(module, "diff_end_HTML_file", bound.diff_end_HTML_file);
  return bound;
}

}  // namespace

const DiffModule& BindDiffModule() {
  static const DiffModule module = LoadModule();
  return module;
}

void ThrowIfModuleFailed(const DiffModule& module, const std::vector<PathShown>& shown) {
  const char* message = nullptr;
  if (module.diff_last_error(&message) == DIFF_OK) return;
  std::string cause = message != nullptr && *message != '\0' ? message : "the diff module failed";
  for (const PathShown& path : shown) {
    for (std::size_t at = 0; (at = cause.find(path.given, at)) != std::string::npos;
         at += path.shown.size()) {
      cause.replace(at, path.given.size(), path.shown);
    }
  }
  throw Failure(cause);
}

}  // namespace odbdiff
