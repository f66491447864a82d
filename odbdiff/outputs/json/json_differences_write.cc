#include "outputs/json/json_differences_write.h"  // JsonDifferencesWriter

#include <charconv>  // std::to_chars, the shortest form of a double
#include <cerrno>    // errno
#include <cmath>     // std::isfinite, std::isnan, std::signbit, std::trunc, std::fabs
#include <cstdint>   // std::int64_t
#include <utility>   // std::move
#include <variant>   // std::visit
#include <vector>    // std::vector

#include "json/json_string.h"  // AppendJsonString
#include "platform/failure.h"  // Failure, SystemErrorText

namespace odbdiff {
namespace {

// Text is handed to the file in pieces of about this size.
constexpr std::size_t kFlushSize = 1 << 20;

constexpr char kObjectIndent[] = "    ";
constexpr char kFileObjectIndent[] = "      ";

// The failure of a write, with the system's reason when it gave one.
Failure WriteFailure(const std::string& shown) {
  const int error = errno;
  return error != 0 ? Failure(shown, SystemErrorText(error)) : Failure(shown, "cannot be written");
}

const char* OnlyIn(Side side) { return side == Side::kA ? "only-in-a" : "only-in-b"; }

// A finite number as `odbdiff export` writes it: a whole number in the range
// of std::int64_t as an integer, any other in its shortest exact form, -0 as
// "-0.0".
void AppendFiniteNumber(double number, std::string& out) {
  if (std::trunc(number) == number && std::fabs(number) < 9223372036854775808.0) {
    if (number == 0 && std::signbit(number)) {
      out += "-0.0";
    } else {
      out += std::to_string(static_cast<std::int64_t>(number));
    }
    return;
  }
  char text[32];  // the longest shortest form has 24 characters
  const std::to_chars_result result = std::to_chars(text, text + sizeof text, number);
  out.append(text, result.ptr);
}

// A number that JSON cannot carry as one: "nan", "-nan", "inf" or "-inf".
const char* NonFiniteName(double number) {
  if (std::isnan(number)) return std::signbit(number) ? "\"-nan\"" : "\"nan\"";
  return number < 0 ? "\"-inf\"" : "\"inf\"";
}

// Appends a slot value as `odbdiff export` writes it, on one line; strings
// that are not UTF-8 and numbers that are not finite in the forms of
// docs/json-output.md.
struct ValueJson {
  std::string& out;

  void operator()(const TextValue& value) const { AppendJsonString(value.text, out); }

  void operator()(const NumberValue& value) const {
    const bool finite = std::isfinite(value.number);
    if (finite && value.units.empty()) {
      AppendFiniteNumber(value.number, out);
      return;
    }
    out += "{\"number\": ";
    if (finite) {
      AppendFiniteNumber(value.number, out);
    } else {
      out += NonFiniteName(value.number);
    }
    if (!value.units.empty()) {
      out += ", \"units\": ";
      AppendJsonString(value.units, out);
    }
    out += '}';
  }

  void operator()(const ListValue& value) const {
    out += '[';
    for (std::size_t i = 0; i < value.items.size(); ++i) {
      if (i != 0) out += ", ";
      AppendJsonString(value.items[i], out);
    }
    out += ']';
  }
};

void AppendRules(const ComparisonRules& rules, std::string& out) {
  out += "{\"value-rule\": ";
  AppendJsonString(rules.value_rule, out);
  if (rules.value_rule != "exact") {
    out += ", \"tolerance\": ";
    AppendFiniteNumber(rules.tolerance_percent, out);
  }
  const auto append_patterns = [&out](const char* key, const std::vector<std::string>& patterns) {
    out += ", \"";
    out += key;
    out += "\": [";
    for (std::size_t i = 0; i < patterns.size(); ++i) {
      if (i != 0) out += ", ";
      AppendJsonString(patterns[i], out);
    }
    out += ']';
  };
  append_patterns("ignore-objects", rules.ignore_objects);
  append_patterns("ignore-slots", rules.ignore_slots);
  // Written only when there are slot rules, so that the documents of runs
  // without them stay as they were.
  if (!rules.slot_rules.empty()) out += ", \"slot-rules\": [";
  for (std::size_t i = 0; i < rules.slot_rules.size(); ++i) {
    const SlotRule& rule = rules.slot_rules[i];
    out += i != 0 ? ", {\"object\": " : "{\"object\": ";
    AppendJsonString(rule.object, out);
    out += ", \"slot\": ";
    AppendJsonString(rule.slot, out);
    out += ", \"rule\": ";
    AppendJsonString(rule.rule, out);
    if (rule.rule != "exact") {
      out += ", \"relative\": ";
      AppendFiniteNumber(rule.relative, out);
      out += ", \"absolute\": ";
      AppendFiniteNumber(rule.absolute, out);
    }
    out += ", \"case\": ";
    AppendJsonString(rule.text_case, out);
    out += ", \"lists\": ";
    AppendJsonString(rule.lists, out);
    out += '}';
  }
  if (!rules.slot_rules.empty()) out += ']';
  out += '}';
}

}  // namespace

JsonDifferencesWriter::JsonDifferencesWriter(const std::string& writing_path, std::string shown,
                                             const DifferencesHeading& heading)
    : shown_(std::move(shown)),
      project_(heading.command == "compare-project"),
      indent_(project_ ? kFileObjectIndent : kObjectIndent) {
  file_ = std::fopen(writing_path.c_str(), "wb");
  if (file_ == nullptr) throw WriteFailure(shown_);
  buffer_.reserve(kFlushSize + 4096);
  buffer_ += "{\n  \"format\": \"odbdiff-differences\",\n  \"version\": 1,\n  \"command\": ";
  AppendJsonString(heading.command, buffer_);
  buffer_ += ",\n  \"a\": ";
  AppendJsonString(heading.a, buffer_);
  buffer_ += ",\n  \"b\": ";
  AppendJsonString(heading.b, buffer_);
  buffer_ += ",\n  \"rules\": ";
  AppendRules(heading.rules, buffer_);
  buffer_ += project_ ? ",\n  \"files\": [" : ",\n  \"objects\": [";
}

JsonDifferencesWriter::~JsonDifferencesWriter() {
  // Only a document that did not finish gets here open; it is left incomplete.
  if (file_ != nullptr) std::fclose(file_);
}

void JsonDifferencesWriter::BeginFile(const std::string& name) {
  file_counts_ = DifferenceCounts();
  wrote_entry_ = false;
  pending_file_ = name;
}

void JsonDifferencesWriter::EndFile() {
  CloseObject();
  if (wrote_entry_) {
    buffer_ += "\n    ], \"counts\": ";
    buffer_ += CountsJson(file_counts_.counts());
    buffer_ += '}';
  }
  total_ += file_counts_.counts();
  file_counts_ = DifferenceCounts();
}

void JsonDifferencesWriter::FileOnlyIn(Side side, const std::string& name) {
  buffer_ += wrote_file_ ? ",\n    " : "\n    ";
  wrote_file_ = true;
  buffer_ += "{\"name\": ";
  AppendJsonString(name, buffer_);
  buffer_ += ", \"status\": \"";
  buffer_ += OnlyIn(side);
  buffer_ += "\"}";
}

void JsonDifferencesWriter::ObjectOnlyIn(Side side, const std::string& object) {
  file_counts_.ObjectOnlyIn(side, object);
  BeginEntry(object, OnlyIn(side));
  buffer_ += '}';
  FlushWhenFull();
}

void JsonDifferencesWriter::ObjectSame(const std::string& object) {
  CloseObject();
  file_counts_.ObjectSame(object);
}

void JsonDifferencesWriter::ObjectDiffers(const std::string& object) {
  file_counts_.ObjectDiffers(object);
  BeginEntry(object, "differs");
  buffer_ += ", \"slots\": [";
  in_object_ = true;
  wrote_slot_ = false;
}

void JsonDifferencesWriter::SlotOnlyIn(Side side, const std::string& slot,
                                       const SlotValue& value) {
  file_counts_.SlotOnlyIn(side, slot, value);
  BeginSlot(slot, OnlyIn(side));
  buffer_ += side == Side::kA ? ", \"a\": " : ", \"b\": ";
  std::visit(ValueJson{buffer_}, value);
  buffer_ += '}';
}

void JsonDifferencesWriter::SlotValuesDiffer(const std::string& slot, const SlotValue& a,
                                             const SlotValue& b) {
  file_counts_.SlotValuesDiffer(slot, a, b);
  BeginSlot(slot, "values-differ");
  buffer_ += ", \"a\": ";
  std::visit(ValueJson{buffer_}, a);
  buffer_ += ", \"b\": ";
  std::visit(ValueJson{buffer_}, b);
  buffer_ += '}';
}

void JsonDifferencesWriter::Finish() {
  if (project_) {
    buffer_ += wrote_file_ ? "\n  ]" : "]";
  } else {
    CloseObject();
    total_ += file_counts_.counts();
    buffer_ += wrote_entry_ ? "\n  ]" : "]";
  }
  buffer_ += ",\n  \"counts\": ";
  buffer_ += CountsJson(total_);
  buffer_ += "\n}\n";
  Flush();
  std::FILE* file = file_;
  file_ = nullptr;
  errno = 0;
  if (std::fclose(file) != 0) throw WriteFailure(shown_);
}

void JsonDifferencesWriter::CloseObject() {
  if (!in_object_) return;
  buffer_ += "]}";
  in_object_ = false;
  FlushWhenFull();
}

void JsonDifferencesWriter::BeginEntry(const std::string& name, const char* status) {
  CloseObject();
  if (project_ && !wrote_entry_) {
    // A project's file appears with its first difference.
    buffer_ += wrote_file_ ? ",\n    " : "\n    ";
    wrote_file_ = true;
    buffer_ += "{\"name\": ";
    AppendJsonString(pending_file_, buffer_);
    buffer_ += ", \"status\": \"differs\", \"objects\": [";
  }
  buffer_ += wrote_entry_ ? ",\n" : "\n";
  wrote_entry_ = true;
  buffer_ += indent_;
  buffer_ += "{\"name\": ";
  AppendJsonString(name, buffer_);
  buffer_ += ", \"status\": \"";
  buffer_ += status;
  buffer_ += '"';
}

void JsonDifferencesWriter::BeginSlot(const std::string& slot, const char* status) {
  if (wrote_slot_) buffer_ += ", ";
  wrote_slot_ = true;
  buffer_ += "{\"name\": ";
  AppendJsonString(slot, buffer_);
  buffer_ += ", \"status\": \"";
  buffer_ += status;
  buffer_ += '"';
}

void JsonDifferencesWriter::FlushWhenFull() {
  if (buffer_.size() >= kFlushSize) Flush();
}

void JsonDifferencesWriter::Flush() {
  errno = 0;
  if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
    throw WriteFailure(shown_);
  }
  buffer_.clear();
  if (std::fflush(file_) != 0) throw WriteFailure(shown_);
}

}  // namespace odbdiff
