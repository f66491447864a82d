#include "outputs/text/object_table_output.h"  // ObjectTableOutput

#include "inputs/object_slots_compare.h"  // ComparedSlots
#include "platform/failure.h"             // Failure
#include "request/input_checks.h"         // CheckWritableOutput

namespace odbdiff {

void ObjectTableOutput::CheckOutputs(std::vector<std::string>& outputs) {
  CheckWritableOutput(path_);
  outputs.push_back(path_);
}

void ObjectTableOutput::Write(const ComparedPair& pair) {
  const ComparedSlots& slots = *pair.object_slots;
  const int result = pair.module.diff_object_WriteTextFile(
      slots.a_names.get(), slots.a_values.get(), slots.b_names.get(), slots.b_values.get(),
      staged_->writing_path().c_str());
  ThrowIfModuleFailed(pair.module, {{staged_->writing_path(), staged_->path()}});
  if (result != 0) throw Failure(staged_->path(), "the diff module could not write the table");
}

}  // namespace odbdiff
