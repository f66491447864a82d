#include "project/project_outputs.h"  // ChooseCompareProjectOutputs

#include <memory>  // std::make_unique

#include "outputs/difference_outputs.h"          // AddDifferenceOutputs
#include "project/project_html_report_output.h"  // ProjectHtmlReportOutput

namespace odbdiff {

ProjectOutputs ChooseCompareProjectOutputs(const CompareProjectRequest& request) {
  ProjectOutputs outputs;
  OutputList& list = outputs.list;
  if (request.html.report) list.Add(std::make_unique<ProjectHtmlReportOutput>(request.html));
  if (request.partial) {
    auto partial = std::make_unique<PartialResultsOutput>(request);
    outputs.partial = partial.get();
    list.Add(std::move(partial));
  }
  AddDifferenceOutputs(list, request.comparison,
                       {"compare-project", request.folder_a, request.folder_b, {}, request.folder_a,
                        request.folder_b});
  return outputs;
}

}  // namespace odbdiff
