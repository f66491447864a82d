// The module's dynamic symbol table: every entry point is exported under its
// unmangled name, and nothing else of the module is.
#include <dlfcn.h>   // dlopen, dlsym, dlclose
#include <stdio.h>   // popen, pclose, fgets

#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <set>     // std::set
#include <string>  // std::string

namespace {

const std::set<std::string> kEntryPoints = {
    "DeleteDiffObjs",
    "DiffTerminate",
    "GenSumReport",
    "GenTextReport",
    "diff_ReportFileHTML",
    "diff_ReportObjectHTML",
    "diff_ReportProjectHTML",
    "diff_end_HTML_file",
    "diff_getObjectTemplate",
    "diff_get_value_rule",
    "diff_last_error",
    "diff_list2",
    "diff_list2_ormo",
    "diff_object_WriteTextFile",
    "diff_objects_ormo",
    "diff_objfiles_ormo",
    "diff_reset_options",
    "diff_set_value_rule",
    "diff_start_HTML_file",
    "diff_strpair",
    "diff_ignore_object",
    "diff_ignore_slot",
    "diff_is_ignored",
    "diff_accept_difference",
    "diff_clear_accepted",
    "diff_is_accepted",
    "diff_set_event_observer",
    "diff_object_list2",
    "diff_add_slot_rule",
    "diff_explain_values",
};

// Names of the functions that a shared library defines and exports.
std::set<std::string> exported_functions(const std::string& library) {
  std::set<std::string> names;
  const std::string command = "nm -D --defined-only '" + library + "'";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return names;
  char line[4096];
  while (fgets(line, sizeof line, pipe) != nullptr) {
    char type = 0;
    char name[2048];
    if (sscanf(line, "%*s %c %2047s", &type, name) == 2 && (type == 'T' || type == 'W')) {
      names.insert(name);
    }
  }
  EXPECT_EQ(pclose(pipe), 0) << command;
  return names;
}

TEST(ModuleExportsTest, EveryEntryPointAndNothingElseIsExported) {
  EXPECT_EQ(exported_functions(DIFF_MODULE_PATH), kEntryPoints);
}

TEST(ModuleExportsTest, HostFindsEveryEntryPointWithDlsym) {
  void* module = dlopen(DIFF_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(module, nullptr) << dlerror();
  for (const std::string& name : kEntryPoints) {
    EXPECT_NE(dlsym(module, name.c_str()), nullptr) << name;
  }
  EXPECT_EQ(dlclose(module), 0);
}

}  // namespace
