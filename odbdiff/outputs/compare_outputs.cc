#include "outputs/compare_outputs.h"  // ChooseCompareOutputs, ChooseCompareObjectOutputs

#include <memory>  // std::make_unique

#include "outputs/difference_outputs.h"         // AddDifferenceOutputs
#include "outputs/html/html_report_output.h"         // HtmlReportOutput
#include "outputs/html/object_html_report_output.h"  // ObjectHtmlReportOutput
#include "outputs/text/object_table_output.h"        // ObjectTableOutput
#include "outputs/text/text_report_output.h"         // TextReportOutput

namespace odbdiff {

CompareOutputs ChooseCompareOutputs(const CompareRequest& request, const CompareRequest& given) {
  using Kind = TextReportOutput::Kind;
  CompareOutputs outputs;
  OutputList& list = outputs.list;
  if (request.text_report) {
    list.Add(std::make_unique<TextReportOutput>(Kind::kTextReport, *request.text_report));
  }
  if (request.summary) list.Add(std::make_unique<TextReportOutput>(Kind::kSummary, *request.summary));
  if (request.html.report) list.Add(std::make_unique<HtmlReportOutput>(request.html));
  if (request.kept_folder) {
    auto kept = std::make_unique<KeptDifferenceDbsOutput>(*request.kept_folder);
    outputs.kept = kept.get();
    list.Add(std::move(kept));
  }
  AddDifferenceOutputs(list, request.comparison,
                       {"compare", given.file_a, given.file_b, {}, request.file_a, request.file_b});
  return outputs;
}

OutputList ChooseCompareObjectOutputs(const CompareObjectRequest& request,
                                      const CompareObjectRequest& given) {
  OutputList list;
  if (request.table) list.Add(std::make_unique<ObjectTableOutput>(*request.table));
  if (request.html.report) {
    list.Add(std::make_unique<ObjectHtmlReportOutput>(request.object, request.html));
  }
  AddDifferenceOutputs(list, request.comparison,
                       {"compare-object", given.file_a, given.file_b, {}, request.file_a,
                        request.file_b});
  return list;
}

}  // namespace odbdiff
