#include "merge/conflicts_write.h"  // ConflictsWriter, ConflictLine, ConflictKindName

#include <cerrno>   // errno
#include <utility>  // std::move

#include "json/json_string.h"  // AppendJsonString
#include "json/value_json.h"   // AppendValueJson
#include "platform/failure.h"  // Failure, SystemErrorText, ReportFailure

namespace odbdiff {
namespace {

// Text is handed to the file in pieces of about this size.
constexpr std::size_t kFlushSize = 1 << 20;

const char* FavorName(Favor favor) {
  return favor == Favor::kOurs ? "\"ours\"" : favor == Favor::kTheirs ? "\"theirs\"" : "null";
}

const char* KindText(ConflictKind kind) {
  switch (kind) {
    case ConflictKind::kBothChanged: return "changed in ours and in theirs";
    case ConflictKind::kBothAdded: return "added in ours and in theirs with other values";
    case ConflictKind::kChangedAndRemoved: return "changed on one side, removed on the other";
    case ConflictKind::kObjectRemoved:
      return "changed on one side, its object removed on the other";
    case ConflictKind::kNone: break;
  }
  return "";
}

void AppendValueOrNull(const std::optional<SlotValue>& value, std::string& out) {
  if (value) {
    AppendValueJson(*value, out);
  } else {
    out += "null";
  }
}

Failure WriteFailure(const std::string& shown) {
  const int error = errno;
  return error != 0 ? Failure(shown, SystemErrorText(error)) : Failure(shown, "cannot be written");
}

}  // namespace

const char* ConflictKindName(ConflictKind kind) {
  switch (kind) {
    case ConflictKind::kBothChanged: return "both-changed";
    case ConflictKind::kBothAdded: return "both-added";
    case ConflictKind::kChangedAndRemoved: return "changed-and-removed";
    case ConflictKind::kObjectRemoved: return "object-removed";
    case ConflictKind::kNone: break;
  }
  return "";
}

std::string ConflictLine(const Conflict& conflict) {
  std::string line = "conflict in object ";
  AppendJsonString(conflict.object, line);
  line += ", slot ";
  AppendJsonString(conflict.slot, line);
  line += ": ";
  line += KindText(conflict.kind);
  return line;
}

ConflictsWriter::ConflictsWriter(const std::optional<std::string>& file, const MergeFiles& files,
                                 Favor favor, std::string shown)
    : favor_(favor), shown_(std::move(shown)) {
  if (!file) return;
  staged_.emplace(*file);
  errno = 0;
  file_ = std::fopen(staged_->writing_path().c_str(), "wb");
  if (file_ == nullptr) throw WriteFailure(staged_->path());
  buffer_ = "{\n  \"format\": \"odbdiff-conflicts\",\n  \"version\": 1,\n  \"base\": ";
  AppendJsonString(files.base, buffer_);
  buffer_ += ",\n  \"ours\": ";
  AppendJsonString(files.ours, buffer_);
  buffer_ += ",\n  \"theirs\": ";
  AppendJsonString(files.theirs, buffer_);
  buffer_ += ",\n  \"favor\": ";
  buffer_ += FavorName(favor);
  buffer_ += ",\n  \"conflicts\": [";
}

ConflictsWriter::~ConflictsWriter() {
  // Only a document that did not finish gets here open; it never reaches its name.
  if (file_ != nullptr) std::fclose(file_);
}

void ConflictsWriter::Take(const Conflict& conflict) {
  if (favor_ == Favor::kNone) ReportFailure(shown_ + ": " + ConflictLine(conflict));
  ++count_;
  if (file_ == nullptr) return;
  buffer_ += count_ == 1 ? "\n    " : ",\n    ";
  buffer_ += "{\"object\": ";
  AppendJsonString(conflict.object, buffer_);
  buffer_ += ", \"slot\": ";
  AppendJsonString(conflict.slot, buffer_);
  buffer_ += ", \"kind\": \"";
  buffer_ += ConflictKindName(conflict.kind);
  buffer_ += "\", \"base\": ";
  AppendValueOrNull(conflict.base, buffer_);
  buffer_ += ", \"ours\": ";
  AppendValueOrNull(conflict.ours, buffer_);
  buffer_ += ", \"theirs\": ";
  AppendValueOrNull(conflict.theirs, buffer_);
  buffer_ += '}';
  if (buffer_.size() >= kFlushSize) Flush();
}

void ConflictsWriter::Commit() {
  if (file_ == nullptr) return;
  buffer_ += count_ == 0 ? "],\n" : "\n  ],\n";
  buffer_ += "  \"count\": " + std::to_string(count_) + "\n}\n";
  Flush();
  std::FILE* file = file_;
  file_ = nullptr;
  errno = 0;
  if (std::fclose(file) != 0) throw WriteFailure(staged_->path());
  staged_->Commit();
}

void ConflictsWriter::Flush() {
  errno = 0;
  if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
    throw WriteFailure(staged_->path());
  }
  buffer_.clear();
  if (std::fflush(file_) != 0) throw WriteFailure(staged_->path());
}

}  // namespace odbdiff
