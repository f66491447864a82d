#include "outputs/text/show_text_write.h"  // ShowTextWriter

#include <string_view>  // std::string_view
#include <algorithm>    // std::min
#include <utility>      // std::move
#include <variant>      // std::get_if, std::get

#include "json/json_string.h"        // AppendJsonString, texts quoted
#include "json/value_text_form.h"    // ValueTextForm, numbers
#include "outputs/text/value_changes.h"  // AlignItems, FindTextChange, NumberChange
#include "platform/terminal_safe.h"  // Utf8CharacterLength

namespace odbdiff {
namespace {

// The terminal's colour sequences.
constexpr char kBold[] = "\033[1m";
constexpr char kCyan[] = "\033[36m";
constexpr char kRed[] = "\033[31m";
constexpr char kGreen[] = "\033[32m";
constexpr char kReset[] = "\033[m";
// The changed part of a text: in reverse video with colours, else between
// markers that a screen reader reads and grep finds, as git's word diff.
constexpr char kReverse[] = "\033[7m";
constexpr char kReverseOff[] = "\033[27m";

constexpr char kHexDigits[] = "0123456789abcdef";

const char* ColorOf(Side side) { return side == Side::kA ? kRed : kGreen; }
const char* MarkOf(Side side) { return side == Side::kA ? "- " : "+ "; }

// `text` quoted as JSON quotes it ({"bytes": "HEX"} when it is not UTF-8),
// with DEL and the C1 controls escaped too: JSON leaves them as they are, and
// a terminal acts on them.
std::string Quoted(std::string_view text) {
  std::string json;
  AppendJsonString(text, json);
  std::string quoted;
  for (std::size_t at = 0; at < json.size(); ++at) {
    const auto byte = static_cast<unsigned char>(json[at]);
    // In valid UTF-8, 0xC2 then 0x80 to 0x9F is a C1 control.
    const bool c1 = byte == 0xC2 && static_cast<unsigned char>(json[at + 1]) <= 0x9F;
    if (byte != 0x7F && !c1) {
      quoted += json[at];
      continue;
    }
    const auto code = c1 ? static_cast<unsigned char>(json[++at]) : byte;
    quoted += "\\u00";
    quoted += kHexDigits[code >> 4];
    quoted += kHexDigits[code & 0x0F];
  }
  return quoted;
}

// A name (of an object or a slot) or units as they are when they are plain:
// valid UTF-8 without control characters, and not starting with a quote or
// a brace, which would make them look quoted. Any other is Quoted, so that
// it can neither act on the terminal nor break its line.
std::string Name(std::string_view name) {
  bool plain = name.empty() || (name.front() != '"' && name.front() != '{');
  for (std::size_t at = 0; plain && at < name.size();) {
    const auto byte = static_cast<unsigned char>(name[at]);
    const std::size_t length = Utf8CharacterLength(name.substr(at));
    plain = length != 0 && byte >= 0x20 && byte != 0x7F &&
            !(byte == 0xC2 && static_cast<unsigned char>(name[at + 1]) <= 0x9F);
    at += length;
  }
  return plain ? std::string(name) : Quoted(name);
}

// The lines of a value after its slot's name: one, or a list's "[", its
// items and "]".
std::vector<std::string> ValueLines(const SlotValue& value) {
  if (const auto* text = std::get_if<TextValue>(&value)) return {Quoted(text->text)};
  if (const auto* number = std::get_if<NumberValue>(&value)) {
    std::string line = ValueTextForm(NumberValue{number->number, {}});
    if (!number->units.empty()) line += ' ' + Name(number->units);
    return {line};
  }
  const auto& list = std::get<ListValue>(value);
  if (list.items.empty()) return {"[]"};
  std::vector<std::string> lines{"["};
  for (std::size_t i = 0; i < list.items.size(); ++i) {
    std::string line = "  " + Quoted(list.items[i]);
    if (i + 1 < list.items.size()) line += ',';
    lines.push_back(std::move(line));
  }
  lines.emplace_back("]");
  return lines;
}

// A text's part as it stands inside the quotes of Quoted: the part is valid
// UTF-8, so it is quoted as a string.
std::string QuotedPart(std::string_view part) {
  const std::string quoted = Quoted(part);
  return quoted.substr(1, quoted.size() - 2);
}

// One side of a text change, quoted, its changed parts marked.
std::string MarkedText(const std::vector<std::string_view>& parts,
                       const std::vector<ChangeStep>& steps, ChangeStep::Kind side, bool color) {
  const bool in_a = side == ChangeStep::kRemoved;
  std::string text = "\"";
  for (const ChangeStep& step : steps) {
    if (step.kind != ChangeStep::kSame && step.kind != side) continue;
    const std::size_t first = in_a ? step.a : step.b;
    std::string run;
    for (std::size_t i = first; i < first + step.count; ++i) run += QuotedPart(parts[i]);
    if (step.kind == ChangeStep::kSame) {
      text += run;
    } else if (color) {
      text += kReverse + run + kReverseOff;
    } else {
      text += (in_a ? "[-" : "{+") + run + (in_a ? "-]" : "+}");
    }
  }
  return text + '"';
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
  AppendLine(ColorOf(side), MarkOf(side) + ("object " + Name(object)));
  std::optional<ObjectFileReader>& reader = side == Side::kA ? reader_a_ : reader_b_;
  if (!reader) {
    // One object is read at a time: the file's objects are not listed.
    reader.emplace(side == Side::kA ? sources_.file_a : sources_.file_b, /*list_objects=*/false);
  }
  for (const Slot& slot : reader->ReadKeptObject(object, module_).slots) {
    AppendSlot(side, "  ", slot.name, slot.value);
  }
}

void ShowTextWriter::ObjectSame(const std::string& object) { counts_.ObjectSame(object); }

void ShowTextWriter::ObjectDiffers(const std::string& object) {
  counts_.ObjectDiffers(object);
  object_ = object;
  AppendLine(kCyan, "@@ object " + Name(object) + " @@");
}

void ShowTextWriter::SlotOnlyIn(Side side, const std::string& slot, const SlotValue& value) {
  counts_.SlotOnlyIn(side, slot, value);
  AppendSlot(side, "", slot, value);
}

void ShowTextWriter::SlotValuesDiffer(const std::string& slot, const SlotValue& a,
                                      const SlotValue& b) {
  counts_.SlotValuesDiffer(slot, a, b);
  if (!AppendListChange(slot, a, b) && !AppendTextChange(slot, a, b) &&
      !AppendNumberChange(slot, a, b)) {
    AppendSlot(Side::kA, "", slot, a);
    AppendSlot(Side::kB, "", slot, b);
  }
  if (sources_.explain) AppendExplanation(slot, a, b);
}

void ShowTextWriter::AppendExplanation(const std::string& slot, const SlotValue& a,
                                       const SlotValue& b) {
  const char* explanation = nullptr;
  module_.diff_explain_values(object_.c_str(), slot.c_str(), ValueTextForm(a).c_str(),
                              ValueTextForm(b).c_str(), &explanation);
  ThrowIfModuleFailed(module_);
  AppendLine(nullptr, "  " + Name(explanation != nullptr ? explanation : ""));
}

std::string ShowTextWriter::Finish() {
  text_ += CountsLine(counts_.counts());
  return std::move(text_);
}

void ShowTextWriter::AppendLine(const char* color, const std::string& line) {
  const bool colored = color_ && color != nullptr;
  if (colored) text_ += color;
  text_ += line;
  if (colored) text_ += kReset;
  text_ += '\n';
}

void ShowTextWriter::AppendSlot(Side side, const std::string& indent, const std::string& slot,
                                const SlotValue& value) {
  const std::vector<std::string> lines = ValueLines(value);
  const std::string lead = MarkOf(side) + indent;
  AppendLine(ColorOf(side), lead + Name(slot) + ": " + lines.front());
  for (std::size_t i = 1; i < lines.size(); ++i) AppendLine(ColorOf(side), lead + lines[i]);
}

bool ShowTextWriter::AppendListChange(const std::string& slot, const SlotValue& a,
                                      const SlotValue& b) {
  const auto* list_a = std::get_if<ListValue>(&a);
  const auto* list_b = std::get_if<ListValue>(&b);
  if (list_a == nullptr || list_b == nullptr) return false;
  const std::vector<std::string>& items_a = list_a->items;
  const std::vector<std::string>& items_b = list_b->items;
  const std::vector<ChangeStep> steps = AlignItems({items_a.begin(), items_a.end()},
                                                   {items_b.begin(), items_b.end()});
  // An item as its own list writes it.
  const auto item = [](const std::vector<std::string>& items, std::size_t at) {
    return Quoted(items[at]) + (at + 1 < items.size() ? "," : "");
  };
  AppendLine(nullptr, "  " + Name(slot) + ": [");
  for (std::size_t k = 0; k < steps.size(); ++k) {
    const ChangeStep& step = steps[k];
    if (step.kind == ChangeStep::kRemoved) {
      for (std::size_t i = step.a; i < step.a + step.count; ++i) {
        AppendLine(kRed, "-   " + item(items_a, i));
      }
      continue;
    }
    if (step.kind == ChangeStep::kAdded) {
      for (std::size_t i = step.b; i < step.b + step.count; ++i) {
        AppendLine(kGreen, "+   " + item(items_b, i));
      }
      continue;
    }
    // Equal items: one next to each change is shown, a longer run between folded.
    const std::size_t before = k > 0 ? 1 : 0;
    const std::size_t after = k + 1 < steps.size() ? 1 : 0;
    const std::size_t folded = step.count - std::min(step.count, before + after);
    const std::size_t shown_first = folded >= 2 ? before : step.count;
    for (std::size_t i = 0; i < step.count; ++i) {
      if (i == shown_first) {
        AppendLine(nullptr, "    \u2026 " + std::to_string(folded) + " items the same \u2026");
        i += folded - 1;
        continue;
      }
      AppendLine(nullptr, "    " + item(items_b, step.b + i));
    }
  }
  AppendLine(nullptr, "  ]");
  return true;
}

bool ShowTextWriter::AppendTextChange(const std::string& slot, const SlotValue& a,
                                      const SlotValue& b) {
  const auto* text_a = std::get_if<TextValue>(&a);
  const auto* text_b = std::get_if<TextValue>(&b);
  TextChange change;
  if (text_a == nullptr || text_b == nullptr ||
      !FindTextChange(text_a->text, text_b->text, change)) {
    return false;
  }
  AppendLine(kRed, "- " + Name(slot) + ": " +
                       MarkedText(change.a, change.steps, ChangeStep::kRemoved, color_));
  AppendLine(kGreen, "+ " + Name(slot) + ": " +
                         MarkedText(change.b, change.steps, ChangeStep::kAdded, color_));
  return true;
}

bool ShowTextWriter::AppendNumberChange(const std::string& slot, const SlotValue& a,
                                        const SlotValue& b) {
  const auto* number_a = std::get_if<NumberValue>(&a);
  const auto* number_b = std::get_if<NumberValue>(&b);
  if (number_a == nullptr || number_b == nullptr) return false;
  const std::string change = NumberChange({number_a->number, Name(number_a->units)},
                                          {number_b->number, Name(number_b->units)});
  if (change.empty()) return false;
  AppendSlot(Side::kA, "", slot, a);
  AppendLine(kGreen, "+ " + Name(slot) + ": " + ValueLines(b).front() + "  (" + change + ")");
  return true;
}

}  // namespace odbdiff
