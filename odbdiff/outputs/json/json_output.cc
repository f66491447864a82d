#include "outputs/json/json_output.h"  // JsonOutput

#include "request/input_checks.h"  // CheckWritableOutput

namespace odbdiff {

void JsonOutput::CheckOutputs(std::vector<std::string>& outputs) {
  CheckWritableOutput(path_);
  outputs.push_back(path_);
}

void JsonOutput::Stage(const ComparisonRules& rules) {
  heading_.rules = rules;
  staged_.emplace(path_);
  writer_.emplace(staged_->writing_path(), staged_->path(), heading_);
}

}  // namespace odbdiff
