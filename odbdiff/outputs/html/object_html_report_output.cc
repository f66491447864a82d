#include "outputs/html/object_html_report_output.h"  // ObjectHtmlReportOutput

#include "inputs/object_slots_compare.h"  // ComparedSlots
#include "outputs/html/html_report.h"          // ChooseHtmlTemplate, HtmlReportFailure
#include "request/input_checks.h"         // CheckWritableOutput

namespace odbdiff {

void ObjectHtmlReportOutput::CheckInputs(std::vector<std::string>& inputs) {
  template_ = ChooseHtmlTemplate(html_.template_file);
  inputs.push_back(template_);
}

void ObjectHtmlReportOutput::CheckOutputs(std::vector<std::string>& outputs) {
  CheckWritableOutput(*html_.report);
  outputs.push_back(*html_.report);
}

void ObjectHtmlReportOutput::Write(const ComparedPair& pair) {
  const ComparedSlots& slots = *pair.object_slots;
  const StagedOutput& report = *staged_;
  const int written = pair.module.diff_ReportObjectHTML(
      object_.c_str(), html_.a_title.c_str(), html_.b_title.c_str(), slots.a_names.get(),
      slots.a_values.get(), slots.b_names.get(), slots.b_values.get(),
      report.writing_path().c_str(), template_.c_str(), html_.show_all ? 1 : 0, 0);
  ThrowIfModuleFailed(pair.module, {{report.writing_path(), report.path()}});
  if (written == 0) throw HtmlReportFailure(report.path());
}

}  // namespace odbdiff
