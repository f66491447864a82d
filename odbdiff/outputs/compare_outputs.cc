#include "outputs/compare_outputs.h"  // ChooseCompareOutputs

#include "outputs/html_report_output.h"  // HtmlReportOutput
#include "outputs/json_output.h"         // JsonOutput
#include "outputs/stat_output.h"         // StatOutput
#include "outputs/text_report_output.h"  // TextReportOutput

namespace odbdiff {

CompareOutputs ChooseCompareOutputs(const CompareRequest& request, const CompareRequest& given) {
  CompareOutputs outputs;
  auto add = [&](std::unique_ptr<ComparisonOutput> output) {
    outputs.all.push_back(std::move(output));
  };
  using Kind = TextReportOutput::Kind;
  if (request.text_report) {
    add(std::make_unique<TextReportOutput>(Kind::kTextReport, *request.text_report));
  }
  if (request.summary) add(std::make_unique<TextReportOutput>(Kind::kSummary, *request.summary));
  if (request.html.report) add(std::make_unique<HtmlReportOutput>(request.html));
  if (request.kept_folder) {
    auto kept = std::make_unique<KeptDifferenceDbsOutput>(*request.kept_folder);
    outputs.kept = kept.get();
    add(std::move(kept));
  }
  const ComparisonOptions& options = request.comparison;
  if (options.json) {
    add(std::make_unique<JsonOutput>(
        *options.json, DifferencesHeading{"compare", given.file_a, given.file_b, {}}));
  }
  if (options.stat) add(std::make_unique<StatOutput>());
  return outputs;
}

}  // namespace odbdiff
