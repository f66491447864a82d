#include "project/recorded_differences.h"  // DifferenceRecorder, ReplayDifferences

#include <cerrno>    // errno
#include <cstdint>   // std::uint32_t
#include <cstring>   // std::memcpy
#include <fstream>   // std::ifstream
#include <iterator>  // std::istreambuf_iterator
#include <variant>   // std::visit, the kinds of a value

#include "platform/failure.h"  // Failure, SystemErrorText

namespace odbdiff {
namespace {

// What each record starts with.
constexpr char kBeginFile = 'B';
constexpr char kEndFile = 'E';
constexpr char kFileOnlyIn = 'F';
constexpr char kObjectOnlyIn = 'O';
constexpr char kObjectSame = 'S';
constexpr char kObjectDiffers = 'D';
constexpr char kSlotOnlyIn = 's';
constexpr char kSlotValuesDiffer = 'v';
// The kinds of a value.
constexpr char kText = 't';
constexpr char kNumber = 'n';
constexpr char kList = 'l';

char SideTag(Side side) { return side == Side::kA ? 'a' : 'b'; }

// A recorded file read front to back.
class RecordReader {
 public:
  RecordReader(const std::string& path, std::string bytes)
      : path_(path), bytes_(std::move(bytes)) {}

  bool AtEnd() const { return at_ == bytes_.size(); }

  char Tag() {
    Need(1);
    return bytes_[at_++];
  }

  Side ReadSide() { return Tag() == 'a' ? Side::kA : Side::kB; }

  std::string Text() {
    const std::uint32_t size = Word();
    Need(size);
    std::string text = bytes_.substr(at_, size);
    at_ += size;
    return text;
  }

  SlotValue Value() {
    const char kind = Tag();
    if (kind == kText) return TextValue{Text()};
    if (kind == kNumber) {
      NumberValue number;
      Need(sizeof number.number);
      std::memcpy(&number.number, bytes_.data() + at_, sizeof number.number);
      at_ += sizeof number.number;
      number.units = Text();
      return number;
    }
    if (kind != kList) Damaged();
    ListValue list;
    for (std::uint32_t items = Word(); items > 0; --items) list.items.push_back(Text());
    return list;
  }

  [[noreturn]] void Damaged() const {
    throw Failure(path_, "is not a whole record of differences");
  }

 private:
  std::uint32_t Word() {
    std::uint32_t word = 0;
    Need(sizeof word);
    std::memcpy(&word, bytes_.data() + at_, sizeof word);
    at_ += sizeof word;
    return word;
  }

  void Need(std::size_t size) const {
    if (bytes_.size() - at_ < size) Damaged();
  }

  const std::string& path_;
  std::string bytes_;
  std::size_t at_ = 0;
};

}  // namespace

DifferenceRecorder::DifferenceRecorder(const std::string& path)
    : path_(path), file_(std::fopen(path.c_str(), "wb")) {
  if (file_ == nullptr) throw Failure(path_, "cannot be made: " + SystemErrorText(errno));
}

DifferenceRecorder::~DifferenceRecorder() {
  if (file_ != nullptr) std::fclose(file_);
}

void DifferenceRecorder::Close() {
  const bool written = std::ferror(file_) == 0;
  const int closed = std::fclose(file_);
  file_ = nullptr;
  if (!written || closed != 0) throw Failure(path_, "cannot be written: " + SystemErrorText(errno));
}

void DifferenceRecorder::Tag(char tag) { std::fputc(tag, file_); }

void DifferenceRecorder::Text(const std::string& text) {
  const auto size = static_cast<std::uint32_t>(text.size());
  std::fwrite(&size, sizeof size, 1, file_);
  std::fwrite(text.data(), 1, text.size(), file_);
}

void DifferenceRecorder::Value(const SlotValue& value) {
  std::visit(
      [this](const auto& kind) {
        using Kind = std::decay_t<decltype(kind)>;
        if constexpr (std::is_same_v<Kind, TextValue>) {
          Tag(kText);
          Text(kind.text);
        } else if constexpr (std::is_same_v<Kind, NumberValue>) {
          Tag(kNumber);
          std::fwrite(&kind.number, sizeof kind.number, 1, file_);
          Text(kind.units);
        } else {
          Tag(kList);
          const auto items = static_cast<std::uint32_t>(kind.items.size());
          std::fwrite(&items, sizeof items, 1, file_);
          for (const std::string& item : kind.items) Text(item);
        }
      },
      value);
}

void DifferenceRecorder::BeginFile(const std::string& name) {
  Tag(kBeginFile);
  Text(name);
}

void DifferenceRecorder::EndFile() { Tag(kEndFile); }

void DifferenceRecorder::FileOnlyIn(Side side, const std::string& name) {
  Tag(kFileOnlyIn);
  Tag(SideTag(side));
  Text(name);
}

void DifferenceRecorder::ObjectOnlyIn(Side side, const std::string& object) {
  Tag(kObjectOnlyIn);
  Tag(SideTag(side));
  Text(object);
}

void DifferenceRecorder::ObjectSame(const std::string& object) {
  Tag(kObjectSame);
  Text(object);
}

void DifferenceRecorder::ObjectDiffers(const std::string& object) {
  Tag(kObjectDiffers);
  Text(object);
}

void DifferenceRecorder::SlotOnlyIn(Side side, const std::string& slot, const SlotValue& value) {
  Tag(kSlotOnlyIn);
  Tag(SideTag(side));
  Text(slot);
  Value(value);
}

void DifferenceRecorder::SlotValuesDiffer(const std::string& slot, const SlotValue& a,
                                          const SlotValue& b) {
  Tag(kSlotValuesDiffer);
  Text(slot);
  Value(a);
  Value(b);
}

void ReplayDifferences(const std::string& path, DifferenceSink& sink) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) throw Failure(path, "cannot be read");
  RecordReader records(path, std::move(bytes));
  while (!records.AtEnd()) {
    switch (records.Tag()) {
      case kBeginFile: sink.BeginFile(records.Text()); break;
      case kEndFile: sink.EndFile(); break;
      case kFileOnlyIn: {
        const Side side = records.ReadSide();
        sink.FileOnlyIn(side, records.Text());
        break;
      }
      case kObjectOnlyIn: {
        const Side side = records.ReadSide();
        sink.ObjectOnlyIn(side, records.Text());
        break;
      }
      case kObjectSame: sink.ObjectSame(records.Text()); break;
      case kObjectDiffers: sink.ObjectDiffers(records.Text()); break;
      case kSlotOnlyIn: {
        const Side side = records.ReadSide();
        const std::string slot = records.Text();
        sink.SlotOnlyIn(side, slot, records.Value());
        break;
      }
      case kSlotValuesDiffer: {
        const std::string slot = records.Text();
        const SlotValue a = records.Value();
        sink.SlotValuesDiffer(slot, a, records.Value());
        break;
      }
      default: records.Damaged();
    }
  }
}

}  // namespace odbdiff
