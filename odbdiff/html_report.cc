#include "html_report.h"  // ChooseHtmlTemplate, HtmlReportFailure

#include <filesystem>    // std::filesystem::path, read_symlink, is_regular_file
#include <system_error>  // std::error_code

#include "failure.h"       // Failure
#include "input_checks.h"  // CheckReadableFile, CheckObjectFileInput, CheckWritableOutput

namespace odbdiff {
namespace {

namespace fs = std::filesystem;

// Paths of the default template relative to the folder of the executable, set
// by the build: the installed layout (bin/ beside share/) and the build tree.
constexpr const char* kDefaultTemplates[] = {ODBDIFF_INSTALLED_TEMPLATE,
                                             ODBDIFF_BUILD_TREE_TEMPLATE};

fs::path ExecutableFolder() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (error) throw Failure("cannot find the folder of odbdiff: " + error.message());
  return executable.parent_path();
}

std::string FindDefaultTemplate() {
  const fs::path folder = ExecutableFolder();
  std::string looked_in;
  for (const char* relative : kDefaultTemplates) {
    const fs::path candidate = (folder / relative).lexically_normal();
    std::error_code error;
    if (fs::is_regular_file(candidate, error)) return candidate.string();
    looked_in += (looked_in.empty() ? "" : " nor ") + candidate.string();
  }
  throw Failure("no default HTML template: neither " + looked_in +
                " exists; name one with --template");
}

}  // namespace

std::string ChooseHtmlTemplate(const std::optional<std::string>& given) {
  const std::string chosen = given ? *given : FindDefaultTemplate();
  CheckReadableFile(chosen);
  return chosen;
}

Failure HtmlReportFailure(const std::string& report) {
  return Failure(report, "the diff module could not write the HTML report");
}

CheckedFiles CheckPairAndReports(const std::string& file_a, const std::string& file_b,
                                 const HtmlReportRequest& html,
                                 std::initializer_list<std::optional<std::string>> reports) {
  CheckObjectFileInput(file_a);
  CheckObjectFileInput(file_b);
  CheckedFiles checked{{file_a, file_b}, {}, std::nullopt};
  if (html.report) {
    checked.html_template = ChooseHtmlTemplate(html.template_file);
    checked.inputs.push_back(*checked.html_template);
  }
  for (const std::optional<std::string>& report : reports) {
    if (!report) continue;
    CheckWritableOutput(*report);
    checked.outputs.push_back(*report);
  }
  return checked;
}

}  // namespace odbdiff
