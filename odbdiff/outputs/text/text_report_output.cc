#include "outputs/text/text_report_output.h"  // TextReportOutput

#include "platform/failure.h"      // Failure
#include "request/input_checks.h"  // CheckWritableOutput

namespace odbdiff {

void TextReportOutput::CheckOutputs(std::vector<std::string>& outputs) {
  CheckWritableOutput(path_);
  outputs.push_back(path_);
}

void TextReportOutput::WriteFromContext(const ComparedPair& pair) {
  const bool text = kind_ == Kind::kTextReport;
  const std::string& writing = staged_->writing_path();
  const int written =
      text ? pair.module.GenTextReport(writing.c_str()) : pair.module.GenSumReport(writing.c_str());
  ThrowIfModuleFailed(pair.module, {{writing, staged_->path()}});
  if (written == 0) {
    throw Failure(staged_->path(), std::string("the diff module could not write the ") +
                                       (text ? "text report" : "summary report"));
  }
}

}  // namespace odbdiff
