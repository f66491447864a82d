#include "outputs/html/report_statuses.h"  // ReportStatuses, SlotCodes

#include "json/json_string.h"  // AppendJsonString
#include "outputs/html/script_block.h"  // ScriptBlockOf
#include "platform/failure.h"  // Failure

namespace odbdiff {

void ReportStatuses::BeginFile() { files_.emplace_back(); }

void ReportStatuses::AddObject(std::string_view name, bool in_a, bool in_b,
                               const SlotCodes& slots) {
  if (files_.empty()) throw Failure("an object's status outside of a file section");
  File& file = files_.back();
  const char* kind = nullptr;
  if (!in_b) {
    kind = "only-a";
    ++file.counts.objects_only_in_a;
  } else if (!in_a) {
    kind = "only-b";
    ++file.counts.objects_only_in_b;
  } else if (slots.differing() != 0) {
    kind = "differs";
    ++file.counts.objects_differing;
    file.counts.slots_values_differ += slots.values_differ;
    file.counts.slots_only_in_a += slots.only_in_a;
    file.counts.slots_only_in_b += slots.only_in_b;
  } else {
    kind = "same";
    ++file.counts.objects_identical;
  }
  // The module's rule of which objects get a block.
  if (!show_all_ && slots.differing() == 0) return;
  if (!file.objects.empty()) file.objects += ", ";
  file.objects += "[\"";
  file.objects += kind;
  file.objects += "\", ";
  AppendJsonString(name, file.objects);
  file.objects += ']';
}

std::string ReportStatuses::ScriptBlock() const {
  Counts total;
  for (const File& file : files_) total += file.counts;
  std::string json = "{\"counts\": " + CountsJson(total) + ", \"files\": [";
  for (std::size_t at = 0; at < files_.size(); ++at) {
    if (at != 0) json += ", ";
    json += "{\"counts\": " + CountsJson(files_[at].counts) + ", \"objects\": [" +
            files_[at].objects + "]}";
  }
  json += "]}";
  return ScriptBlockOf("odbdiff-statuses", json);
}

}  // namespace odbdiff
