#include "module/module_binding.h"  // DiffModule, BindDiffModule

#include <dlfcn.h>  // dlopen, dlsym, dlerror

#include <string>  // std::string

#include "platform/failure.h"  // Failure

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
#define ODBDIFF_BIND_ENTRY_POINT(name) Bind(module, #name, bound.name);
  ODBDIFF_DIFF_ENTRY_POINTS(ODBDIFF_BIND_ENTRY_POINT)
#undef ODBDIFF_BIND_ENTRY_POINT
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
