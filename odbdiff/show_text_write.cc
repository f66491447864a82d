#include "show_text_write.h"  // ShowTextWriter

#include <utility>  // std::move
#include <variant>  // std::get_if

#include "json_string.h"      // AppendJsonString, texts quoted
#include "value_text_form.h"  // ValueTextForm, numbers with their units

namespace odbdiff {
namespace {

// The terminal's colour sequences.
constexpr char kBold[] = "\033[1m";
constexpr char kCyan[] = "\033[36m";
constexpr char kRed[] = "\033[31m";
constexpr char kGreen[] = "\033[32m";
constexpr char kReset[] = "\033[m";

const char* ColorOf(Side side) { return side == Side::kA ? kRed : kGreen; }
const char* MarkOf(Side side) { return side == Side::kA ? "- " : "+ "; }

// The lines of a value after its slot's name: one, or a list's "[", its
// items and "]".
std::vector<std::string> ValueLines(const SlotValue& value) {
  if (const auto* text = std::get_if<TextValue>(&value)) {
    std::string quoted;
    AppendJsonString(text->text, quoted);
    return {quoted};
  }
  const auto* list = std::get_if<ListValue>(&value);
  if (list == nullptr) return {ValueTextForm(value)};
  if (list->items.empty()) return {"[]"};
  std::vector<std::string> lines{"["};
  for (std::size_t i = 0; i < list->items.size(); ++i) {
    std::string line = "  ";
    AppendJsonString(list->items[i], line);
    if (i + 1 < list->items.size()) line += ',';
    lines.push_back(std::move(line));
  }
  lines.emplace_back("]");
  return lines;
}

std::string CountsLine(const Counts& counts) {
  auto n = [](std::uint64_t count) { return std::to_string(count); };
  return "objects: " + n(counts.objects_differing) + " differing, " + n(counts.objects_only_in_a) +
         " only in A, " + n(counts.objects_only_in_b) + " only in B, " +
         n(counts.objects_identical) + " identical; slots: " + n(counts.slots_values_differ) +
         " differing, " + n(counts.slots_only_in_a) + " only in A, " + n(counts.slots_only_in_b) +
         " only in B\n";
}

}  // namespace

ShowTextWriter::ShowTextWriter(ShowSources sources, bool color, const DiffModule& module)
    : sources_(std::move(sources)), color_(color), module_(module) {
  for (const std::string& line : sources_.heading) AppendLine(kBold, line);
}

void ShowTextWriter::ObjectOnlyIn(Side side, const std::string& object) {
  counts_.ObjectOnlyIn(side, object);
  AppendLine(ColorOf(side), MarkOf(side) + ("object " + object));
  std::optional<ObjectFileReader>& reader = side == Side::kA ? reader_a_ : reader_b_;
  if (!reader) reader.emplace(side == Side::kA ? sources_.file_a : sources_.file_b);
  for (const Slot& slot : reader->ReadObject(object.c_str()).slots) {
    if (module_.diff_is_ignored(object.c_str(), slot.name.c_str()) == 0) {
      AppendSlot(side, "  ", slot.name, slot.value);
    }
  }
}

void ShowTextWriter::ObjectSame(const std::string& object) { counts_.ObjectSame(object); }

void ShowTextWriter::ObjectDiffers(const std::string& object) {
  counts_.ObjectDiffers(object);
  AppendLine(kCyan, "@@ object " + object + " @@");
}

void ShowTextWriter::SlotOnlyIn(Side side, const std::string& slot, const SlotValue& value) {
  counts_.SlotOnlyIn(side, slot, value);
  AppendSlot(side, "", slot, value);
}

void ShowTextWriter::SlotValuesDiffer(const std::string& slot, const SlotValue& a,
                                      const SlotValue& b) {
  counts_.SlotValuesDiffer(slot, a, b);
  AppendSlot(Side::kA, "", slot, a);
  AppendSlot(Side::kB, "", slot, b);
}

std::string ShowTextWriter::Finish() {
  text_ += CountsLine(counts_.counts());
  return std::move(text_);
}

void ShowTextWriter::AppendLine(const char* color, const std::string& line) {
  if (color_) text_ += color;
  text_ += line;
  if (color_) text_ += kReset;
  text_ += '\n';
}

void ShowTextWriter::AppendSlot(Side side, const std::string& indent, const std::string& slot,
                                const SlotValue& value) {
  const std::vector<std::string> lines = ValueLines(value);
  const std::string lead = MarkOf(side) + indent;
  AppendLine(ColorOf(side), lead + slot + ": " + lines.front());
  for (std::size_t i = 1; i < lines.size(); ++i) AppendLine(ColorOf(side), lead + lines[i]);
}

}  // namespace odbdiff
