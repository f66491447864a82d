#include "diff/report_html/report_path_check.h"

#include <utility>  // std::move

#include "diff/filediff/comparison_context.h"  // context_files
#include "diff/report_html/template_loader.h"  // loaded_template_path

namespace diff::report_html {

void refuse_report_path(const char* report_path, const char* template_path,
                        std::vector<NamedInput> inputs) {
  if (report_path == nullptr) return;  // refused when the report file is opened
  if (template_path != nullptr) inputs.push_back({"the template", template_path});
  if (!loaded_template_path().empty()) {
    inputs.push_back({"the loaded template", loaded_template_path().c_str()});
  }
  for (const NamedInput& file : context_files()) inputs.push_back(file);
  refuse_output_naming_input(report_path, std::move(inputs));
}

}  // namespace diff::report_html
