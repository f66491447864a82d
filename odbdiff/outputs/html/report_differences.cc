#include "outputs/html/report_differences.h"  // ReportDifferences

#include "json/json_string.h"      // AppendJsonString
#include "json/value_text_form.h"  // ValueTextForm
#include "outputs/html/script_block.h"  // ScriptBlockOf

namespace odbdiff {

void ReportDifferences::ObjectOnlyIn(Side side, const std::string& object) {
  OpenObject(side == Side::kA ? "only-in-a" : "only-in-b", object);
}

void ReportDifferences::ObjectDiffers(const std::string& object) { OpenObject("differs", object); }

void ReportDifferences::SlotOnlyIn(Side side, const std::string& slot, const SlotValue& value) {
  objects_ += first_slot_ ? "[\"" : ", [\"";
  objects_ += side == Side::kA ? "only-in-a" : "only-in-b";
  objects_ += "\", ";
  AppendJsonString(slot, objects_);
  if (side == Side::kA) {
    objects_ += ", ";
    AppendJsonString(ValueTextForm(value), objects_);
    objects_ += ", null]";
  } else {
    objects_ += ", null, ";
    AppendJsonString(ValueTextForm(value), objects_);
    objects_ += ']';
  }
  first_slot_ = false;
}

void ReportDifferences::SlotValuesDiffer(const std::string& slot, const SlotValue& a,
                                         const SlotValue& b) {
  objects_ += first_slot_ ? "[\"values-differ\", " : ", [\"values-differ\", ";
  AppendJsonString(slot, objects_);
  objects_ += ", ";
  AppendJsonString(ValueTextForm(a), objects_);
  objects_ += ", ";
  AppendJsonString(ValueTextForm(b), objects_);
  objects_ += ']';
  first_slot_ = false;
}

void ReportDifferences::OpenObject(const char* status, const std::string& object) {
  CloseObject();
  if (!objects_.empty()) objects_ += ", ";
  objects_ += "[\"";
  objects_ += status;
  objects_ += "\", ";
  AppendJsonString(object, objects_);
  objects_ += ", [";
  object_open_ = true;
  first_slot_ = true;
}

void ReportDifferences::CloseObject() {
  if (object_open_) objects_ += "]]";
  object_open_ = false;
}

std::string ReportDifferences::ScriptBlock() const {
  std::string json = "{\"files\": [{\"objects\": [" + objects_;
  if (object_open_) json += "]]";
  json += "]}]}";
  return ScriptBlockOf("odbdiff-differences", json);
}

}  // namespace odbdiff
