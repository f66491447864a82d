#include "outputs/html/html_report.h"  // ChooseHtmlTemplate, WriteHtmlReportWithOwnBlocks, HtmlReportFailure

#include <cerrno>        // errno
#include <cstdio>        // std::fopen, std::fwrite, std::fclose
#include <filesystem>    // std::filesystem::path, read_symlink, is_regular_file
#include <system_error>  // std::error_code

#include "platform/failure.h"      // Failure, SystemErrorText
#include "request/input_checks.h"  // CheckReadableFile

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

void AppendToReport(const StagedOutput& report, const std::string& text) {
  std::FILE* file = std::fopen(report.writing_path().c_str(), "a");
  if (file == nullptr) throw Failure(report.path(), SystemErrorText(errno));
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const int error = errno;
  if (std::fclose(file) != 0 || !written) {
    throw Failure(report.path(), SystemErrorText(written ? errno : error));
  }
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

void WriteHtmlReportWithOwnBlocks(const DiffModule& module, const StagedOutput& report,
                                  const std::string& html_template,
                                  const std::function<void()>& module_part,
                                  const std::string& own_blocks) {
  const std::vector<PathShown> shown{{report.writing_path(), report.path()}};
  const char* writing_path = report.writing_path().c_str();
  if (module.diff_getObjectTemplate(html_template.c_str()) == 0) {
    ThrowIfModuleFailed(module, shown);
    throw HtmlReportFailure(report.path());
  }
  module.diff_start_HTML_file(writing_path);
  ThrowIfModuleFailed(module, shown);
  module_part();
  if (!own_blocks.empty()) AppendToReport(report, own_blocks);
  module.diff_end_HTML_file(writing_path);
  ThrowIfModuleFailed(module, shown);
}

}  // namespace odbdiff
