// CvxODB: a database handle. Checks the arguments, keeps the open database
// and turns every failure, exceptions included, into a failure result with
// its reason in LastError.
#include <cerrno>   // errno after a failed removal
#include <cstring>  // std::strlen, std::memcpy, std::strerror
#include <memory>   // std::unique_ptr
#include <new>      // std::nothrow, std::bad_alloc
#include <string>   // std::string for paths, encoded lists and failures

#include "diff/host/object_database.h"  // CvxODB, CvxSlot
#include "failure_text.h"               // SlotPlace
#include "list_items.h"                 // EncodeListItems
#include "object_file.h"                // InspectFile, RefusalReason, CreateEmptyObjectFile
#include "open_database.h"              // ObjectDatabase
#include "slot_value.h"                 // SlotValueView, CvxSlot::Value

using zozavi::FileState;
using zozavi::OpenMode;
using zozavi::SlotKind;
using zozavi::SlotValueView;

namespace {

constexpr char kNotOpen[] = "the database is not open";
constexpr char kNoName[] = "the handle has no file name";
constexpr char kNoObject[] = "invalid argument: no object name";
constexpr char kNoSlot[] = "invalid argument: no slot name";
constexpr char kNoList[] = "invalid argument: no list";
constexpr char kNotZero[] = "invalid argument: options and flags must be 0";

// Sets `error` to a fixed text without throwing: should memory run out, the
// text stays empty rather than the failure escaping.
void SetError(std::string& error, const char* text) noexcept {
  try {
    error = text;
  } catch (...) {
    error.clear();
  }
}

// Answers 0 with `text` as the failure.
int Refuse(std::string& error, const char* text) noexcept {
  SetError(error, text);
  return 0;
}

// Runs `body`, which answers success as a bool and sets `error` when it
// fails; 1 or 0, and 0 when it throws.
template <typename Body>
int Guarded(std::string& error, Body&& body) noexcept {
  try {
    return body() ? 1 : 0;
  } catch (const std::bad_alloc&) {
    SetError(error, "out of memory");
  } catch (...) {
    SetError(error, "unexpected failure");
  }
  return 0;
}

// Runs `body` on the open `database`, whose failure becomes `error`.
template <typename Body>
int OnDatabase(std::string& error, ObjectDatabase& database, Body&& body) noexcept {
  return Guarded(error, [&] {
    database.ClearError();
    if (body()) return true;
    error = database.error();
    return false;
  });
}

// A copy of `name` for the handle; null for a null name or when memory runs out.
char* CopyName(const char* name) noexcept {
  if (name == nullptr) return nullptr;
  const std::size_t size = std::strlen(name) + 1;
  char* copy = new (std::nothrow) char[size];
  if (copy != nullptr) std::memcpy(copy, name, size);
  return copy;
}

bool IsObjectName(const char* object) { return object != nullptr && object[0] != '\0'; }

const char* KindName(SlotKind kind) {
  switch (kind) {
    case SlotKind::kText:
      return "a text";
    case SlotKind::kNumber:
      return "a number";
    case SlotKind::kList:
      return "a list";
    case SlotKind::kNone:
      break;
  }
  return "nothing";
}

}  // namespace

CvxODB::CvxODB(std::uint32_t user_instance, const char* name, int flag)
    : database_(nullptr), name_(CopyName(name)), user_instance_(user_instance), flag_(flag) {}

CvxODB::~CvxODB() {
  delete database_;  // discards the writes not saved
  delete[] name_;
}

int CvxODB::Create() {
  last_error_.clear();
  delete database_;  // discards the writes not saved, as Close(0)
  database_ = nullptr;
  if (name_ == nullptr) return Refuse(last_error_, kNoName);
  const std::string path(name_);
  const int made = Guarded(last_error_, [&] {
    const zozavi::FileInspection inspection = zozavi::InspectFile(path);
    if (inspection.state != FileState::kAbsent && inspection.state != FileState::kObjectFile) {
      last_error_ = zozavi::RefusalReason(inspection);
      return false;
    }
    // The new file replaces the old one in a single rename.
    return zozavi::CreateEmptyObjectFile(path, last_error_);
  });
  return made != 0 ? Open(0) : 0;
}

int CvxODB::Exists() {
  last_error_.clear();
  if (name_ == nullptr) return Refuse(last_error_, kNoName);
  return Guarded(last_error_, [&] {
    const zozavi::FileInspection inspection = zozavi::InspectFile(name_);
    // Only a path that cannot be examined is a failure; the rest answer.
    if (inspection.state == FileState::kUnreadable) {
      last_error_ = zozavi::RefusalReason(inspection);
    }
    return inspection.state == FileState::kObjectFile;
  });
}

int CvxODB::Delete() {
  last_error_.clear();
  delete database_;  // discards the writes not saved, as Close(0)
  database_ = nullptr;
  if (name_ == nullptr) return Refuse(last_error_, kNoName);
  return Guarded(last_error_, [&] {
    const std::string path(name_);
    const zozavi::FileInspection inspection = zozavi::InspectFile(path);
    if (inspection.state != FileState::kObjectFile) {
      last_error_ = zozavi::RefusalReason(inspection);
      return false;
    }
    if (zozavi::RemoveObjectFile(path)) return true;
    last_error_ = std::string("cannot be removed: ") + std::strerror(errno);
    return false;
  });
}

int CvxODB::Validate(int level) {
  last_error_.clear();
  if (database_ != nullptr) {
    return OnDatabase(last_error_, *database_,
                      [&] { return database_->CheckIntegrity(level != 0); });
  }
  if (name_ == nullptr) return Refuse(last_error_, kNoName);
  return Guarded(last_error_, [&] {
    const auto database = ObjectDatabase::Open(name_, OpenMode::kReadOnly, last_error_);
    if (database == nullptr) return false;
    if (database->CheckIntegrity(level != 0)) return true;
    last_error_ = database->error();
    return false;
  });
}

int CvxODB::IsValid() {
  last_error_.clear();
  return database_ != nullptr;
}

std::uint32_t CvxODB::UserInstance() {
  last_error_.clear();
  return user_instance_;
}

int CvxODB::initValues(std::uint32_t user_instance) {
  last_error_.clear();
  user_instance_ = user_instance;
  return 1;
}

int CvxODB::CanWrite() {
  last_error_.clear();
  return database_ != nullptr && database_->writable();
}

int CvxODB::IsOpen() {
  last_error_.clear();
  return database_ != nullptr;
}

int CvxODB::Open(int mode) {
  last_error_.clear();
  if (database_ != nullptr) return 1;
  if (mode != 0 && mode != 1) {
    return Refuse(last_error_, "invalid argument: the open mode must be 0 or 1");
  }
  if (name_ == nullptr) return Refuse(last_error_, kNoName);
  return Guarded(last_error_, [&] {
    database_ = ObjectDatabase::Open(name_, mode == 1 ? OpenMode::kReadOnly : OpenMode::kReadWrite,
                                     last_error_)
                    .release();
    return database_ != nullptr;
  });
}

int CvxODB::Close(int flag) {
  last_error_.clear();
  if (database_ == nullptr) return Refuse(last_error_, kNotOpen);
  if (flag != 0 && flag != 1) {
    return Refuse(last_error_, "invalid argument: the close flag must be 0 or 1");
  }
  const int saved =
      flag == 0 ? 1 : OnDatabase(last_error_, *database_, [&] { return database_->Save(); });
  delete database_;
  database_ = nullptr;
  return saved;
}

const char* CvxODB::DB() const { return name_ != nullptr ? name_ : ""; }

const char* CvxODB::LastError() const { return last_error_.c_str(); }

int CvxODB::GetObjects(CStrList* names) {
  last_error_.clear();
  if (database_ == nullptr) return Refuse(last_error_, kNotOpen);
  if (names == nullptr) return Refuse(last_error_, kNoList);
  return OnDatabase(last_error_, *database_, [&] { return database_->ListObjects(*names); });
}

int CvxODB::ObjectExists(const char* object) {
  last_error_.clear();
  if (database_ == nullptr) return Refuse(last_error_, kNotOpen);
  if (!IsObjectName(object)) return Refuse(last_error_, kNoObject);
  return OnDatabase(last_error_, *database_, [&] { return database_->HasObject(object); });
}

int CvxODB::CreateObject(const char* object, void* reserved) {
  last_error_.clear();
  if (database_ == nullptr) return Refuse(last_error_, kNotOpen);
  if (!IsObjectName(object)) return Refuse(last_error_, kNoObject);
  if (reserved != nullptr) return Refuse(last_error_, "invalid argument: reserved must be null");
  return OnDatabase(last_error_, *database_, [&] { return database_->AddObject(object); });
}

int CvxODB::GetSlots(const char* object, CStrList* slot_names, int options) {
  last_error_.clear();
  if (database_ == nullptr) return Refuse(last_error_, kNotOpen);
  if (!IsObjectName(object)) return Refuse(last_error_, kNoObject);
  if (slot_names == nullptr) return Refuse(last_error_, kNoList);
  if (options != 0) return Refuse(last_error_, kNotZero);
  return OnDatabase(last_error_, *database_,
                    [&] { return database_->ListSlots(object, *slot_names, nullptr); });
}

int CvxODB::LoadAllSlots(const char* object, CStrList* slot_names, CStrList* values, int options,
                         int flags) {
  last_error_.clear();
  if (database_ == nullptr) return Refuse(last_error_, kNotOpen);
  if (!IsObjectName(object)) return Refuse(last_error_, kNoObject);
  if (slot_names == nullptr || values == nullptr) return Refuse(last_error_, kNoList);
  if (options != 0 || flags != 0) return Refuse(last_error_, kNotZero);
  return OnDatabase(last_error_, *database_,
                    [&] { return database_->ListSlots(object, *slot_names, values); });
}

int CvxODB::GetValue(const char* object, const char* slot_name, CvxSlot& slot, int options) {
  last_error_.clear();
  CvxSlot::Value* value = slot.value_;
  if (value == nullptr) return Refuse(last_error_, "out of memory");
  value->Clear();
  if (database_ == nullptr) return Refuse(last_error_, kNotOpen);
  if (!IsObjectName(object)) return Refuse(last_error_, kNoObject);
  if (slot_name == nullptr) return Refuse(last_error_, kNoSlot);
  if (options != 0) return Refuse(last_error_, kNotZero);
  if (OnDatabase(last_error_, *database_,
                 [&] { return database_->ReadValue(object, slot_name, *value); }) == 0) {
    return 0;
  }
  if (value->accepted == VX_SLOT_ANY || static_cast<int>(value->kind) == value->accepted) return 1;
  // A value of a kind the slot does not accept.
  Guarded(last_error_, [&] {
    last_error_ = zozavi::SlotPlace(object, slot_name) + " holds " + KindName(value->kind) +
                  ", not " + KindName(static_cast<SlotKind>(value->accepted));
    return false;
  });
  value->Clear();
  return 0;
}

int CvxODB::SetValue(const char* object, const char* slot_name, const char* text, int options,
                     int flags) {
  last_error_.clear();
  if (database_ == nullptr) return Refuse(last_error_, kNotOpen);
  if (!IsObjectName(object)) return Refuse(last_error_, kNoObject);
  if (slot_name == nullptr) return Refuse(last_error_, kNoSlot);
  if (text == nullptr) return Refuse(last_error_, "invalid argument: no text");
  if (options != 0 || flags != 0) return Refuse(last_error_, kNotZero);
  return OnDatabase(last_error_, *database_, [&] {
    SlotValueView value;
    value.kind = SlotKind::kText;
    value.text = text;
    return database_->WriteValue(object, slot_name, value);
  });
}

int CvxODB::SetNumberValue(const char* object, const char* slot_name, double number,
                           const char* units) {
  last_error_.clear();
  if (database_ == nullptr) return Refuse(last_error_, kNotOpen);
  if (!IsObjectName(object)) return Refuse(last_error_, kNoObject);
  if (slot_name == nullptr) return Refuse(last_error_, kNoSlot);
  return OnDatabase(last_error_, *database_, [&] {
    SlotValueView value;
    value.kind = SlotKind::kNumber;
    value.number = number;
    if (units != nullptr) value.units = units;
    return database_->WriteValue(object, slot_name, value);
  });
}

int CvxODB::SetListValue(const char* object, const char* slot_name, CStrList* items) {
  last_error_.clear();
  if (database_ == nullptr) return Refuse(last_error_, kNotOpen);
  if (!IsObjectName(object)) return Refuse(last_error_, kNoObject);
  if (slot_name == nullptr) return Refuse(last_error_, kNoSlot);
  if (items == nullptr) return Refuse(last_error_, kNoList);
  return OnDatabase(last_error_, *database_, [&] {
    std::string encoded;
    zozavi::EncodeListItems(*items, encoded);
    SlotValueView value;
    value.kind = SlotKind::kList;
    value.items = encoded;
    return database_->WriteValue(object, slot_name, value);
  });
}
