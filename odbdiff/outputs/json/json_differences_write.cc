#include "outputs/json/json_differences_write.h"  // JsonDifferencesWriter

#include <algorithm>  // std::sort, a one-sided object's slots by name
#include <cerrno>    // errno
#include <utility>   // std::move
#include <vector>    // std::vector

#include "json/json_string.h"  // AppendJsonString
#include "json/value_json.h"   // AppendValueJson, AppendJsonNumber
#include "module/module_binding.h"  // BindDiffModule, its ignore rules
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

void AppendRules(const ComparisonRules& rules, std::string& out) {
  out += "{\"value-rule\": ";
  AppendJsonString(rules.value_rule, out);
  if (rules.value_rule != "exact") {
    out += ", \"tolerance\": ";
    AppendJsonNumber(rules.tolerance_percent, out);
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
      AppendJsonNumber(rule.relative, out);
      out += ", \"absolute\": ";
      AppendJsonNumber(rule.absolute, out);
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
      indent_(project_ ? kFileObjectIndent : kObjectIndent),
      read_a_(heading.read_a),
      read_b_(heading.read_b) {
  file_ = std::fopen(writing_path.c_str(), "wb");
  if (file_ == nullptr) throw WriteFailure(shown_);
  buffer_.reserve(kFlushSize + 4096);
  buffer_ += "{\n  \"format\": \"odbdiff-differences\",\n  \"version\": 2,\n  \"command\": ";
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
  reader_a_.reset();
  reader_b_.reset();
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
  AppendOneSidedSlots(side, object);
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
  AppendValueJson(value, buffer_);
  buffer_ += '}';
}

void JsonDifferencesWriter::SlotValuesDiffer(const std::string& slot, const SlotValue& a,
                                             const SlotValue& b) {
  file_counts_.SlotValuesDiffer(slot, a, b);
  BeginSlot(slot, "values-differ");
  buffer_ += ", \"a\": ";
  AppendValueJson(a, buffer_);
  buffer_ += ", \"b\": ";
  AppendValueJson(b, buffer_);
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

void JsonDifferencesWriter::AppendOneSidedSlots(Side side, const std::string& object) {
  std::optional<ObjectFileReader>& reader = side == Side::kA ? reader_a_ : reader_b_;
  if (!reader) {
    const std::string& read = side == Side::kA ? read_a_ : read_b_;
    // One object is read at a time: the file's objects are not listed.
    reader.emplace(project_ ? read + "/" + pending_file_ : read, /*list_objects=*/false);
  }
  Object read = reader->ReadKeptObject(object, BindDiffModule());
  std::sort(read.slots.begin(), read.slots.end(),
            [](const Slot& x, const Slot& y) { return x.name < y.name; });
  buffer_ += ", \"slots\": [";
  for (const Slot& slot : read.slots) {
    if (&slot != &read.slots.front()) buffer_ += ", ";
    buffer_ += "{\"name\": ";
    AppendJsonString(slot.name, buffer_);
    buffer_ += ", \"status\": \"";
    buffer_ += OnlyIn(side);
    buffer_ += side == Side::kA ? "\", \"a\": " : "\", \"b\": ";
    AppendValueJson(slot.value, buffer_);
    buffer_ += '}';
  }
  buffer_ += ']';
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
