// CvxODB: a database handle. Checks the arguments, keeps the open database
// and turns every failure, exceptions included, into a failure result.
#include <cstring>  // std::strlen, std::memcpy
#include <memory>   // std::unique_ptr
#include <new>      // std::nothrow
#include <string>   // std::string for paths and encoded lists

#include "diff/host/object_database.h"  // CvxODB, CvxSlot
#include "list_items.h"                 // EncodeListItems
#include "object_file.h"                // InspectFile, CreateEmptyObjectFile, RemoveObjectFile
#include "open_database.h"              // ObjectDatabase
#include "slot_value.h"                 // SlotValueView, CvxSlot::Value

using zozavi::FileState;
using zozavi::OpenMode;
using zozavi::SlotKind;
using zozavi::SlotValueView;

namespace {

// Runs `body`, which answers success as a bool; 1 or 0, and 0 when it throws.
template <typename Body>
int Guarded(Body&& body) noexcept {
  try {
    return body() ? 1 : 0;
  } catch (...) {
    return 0;
  }
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

}  // namespace

CvxODB::CvxODB(std::uint32_t user_instance, const char* name, int flag)
    : database_(nullptr), name_(CopyName(name)), user_instance_(user_instance), flag_(flag) {}

CvxODB::~CvxODB() {
  delete database_;  // discards the writes not saved
  delete[] name_;
}

int CvxODB::Create() {
  return Guarded([&] {
    Close(0);
    if (name_ == nullptr) return false;
    const std::string path(name_);
    const FileState state = zozavi::InspectFile(path);
    if (state != FileState::kAbsent && state != FileState::kObjectFile) return false;
    // The new file replaces the old one in a single rename.
    return zozavi::CreateEmptyObjectFile(path) && Open(0) != 0;
  });
}

int CvxODB::Exists() {
  return Guarded(
      [&] { return name_ != nullptr && zozavi::InspectFile(name_) == FileState::kObjectFile; });
}

int CvxODB::Delete() {
  return Guarded([&] {
    Close(0);
    if (name_ == nullptr) return false;
    const std::string path(name_);
    return zozavi::InspectFile(path) == FileState::kObjectFile && zozavi::RemoveObjectFile(path);
  });
}

int CvxODB::Validate(int level) {
  return Guarded([&] {
    if (database_ != nullptr) return database_->CheckIntegrity(level != 0);
    if (name_ == nullptr) return false;
    const auto database = ObjectDatabase::Open(name_, OpenMode::kReadOnly);
    return database != nullptr && database->CheckIntegrity(level != 0);
  });
}

int CvxODB::IsValid() { return database_ != nullptr; }

std::uint32_t CvxODB::UserInstance() { return user_instance_; }

int CvxODB::initValues(std::uint32_t user_instance) {
  user_instance_ = user_instance;
  return 1;
}

int CvxODB::CanWrite() { return database_ != nullptr && database_->writable(); }

int CvxODB::IsOpen() { return database_ != nullptr; }

int CvxODB::Open(int mode) {
  if (database_ != nullptr) return 1;
  if ((mode != 0 && mode != 1) || name_ == nullptr) return 0;
  return Guarded([&] {
    database_ =
        ObjectDatabase::Open(name_, mode == 1 ? OpenMode::kReadOnly : OpenMode::kReadWrite)
            .release();
    return database_ != nullptr;
  });
}

int CvxODB::Close(int flag) {
  if (database_ == nullptr || (flag != 0 && flag != 1)) return 0;
  const int saved = flag == 0 ? 1 : Guarded([&] { return database_->Save(); });
  delete database_;
  database_ = nullptr;
  return saved;
}

const char* CvxODB::DB() const { return name_ != nullptr ? name_ : ""; }

const char* CvxODB::LastError() const { return ""; }

int CvxODB::GetObjects(CStrList* names) {
  if (database_ == nullptr || names == nullptr) return 0;
  return Guarded([&] { return database_->ListObjects(*names); });
}

int CvxODB::ObjectExists(const char* object) {
  if (database_ == nullptr || !IsObjectName(object)) return 0;
  return Guarded([&] { return database_->HasObject(object); });
}

int CvxODB::CreateObject(const char* object, void* reserved) {
  if (database_ == nullptr || !IsObjectName(object) || reserved != nullptr) return 0;
  return Guarded([&] { return database_->AddObject(object); });
}

int CvxODB::GetSlots(const char* object, CStrList* slot_names, int options) {
  if (database_ == nullptr || !IsObjectName(object) || slot_names == nullptr || options != 0) {
    return 0;
  }
  return Guarded([&] { return database_->ListSlots(object, *slot_names, nullptr); });
}

int CvxODB::LoadAllSlots(const char* object, CStrList* slot_names, CStrList* values, int options,
                         int flags) {
  if (database_ == nullptr || !IsObjectName(object) || slot_names == nullptr ||
      values == nullptr || options != 0 || flags != 0) {
    return 0;
  }
  return Guarded([&] { return database_->ListSlots(object, *slot_names, values); });
}

int CvxODB::GetValue(const char* object, const char* slot_name, CvxSlot& slot, int options) {
  CvxSlot::Value* value = slot.value_;
  if (value == nullptr) return 0;
  value->Clear();
  if (database_ == nullptr || !IsObjectName(object) || slot_name == nullptr || options != 0) {
    return 0;
  }
  return Guarded([&] {
    if (!database_->ReadValue(object, slot_name, *value)) return false;
    if (value->accepted == VX_SLOT_ANY || static_cast<int>(value->kind) == value->accepted) {
      return true;
    }
    value->Clear();  // a value of a kind the slot does not accept
    return false;
  });
}

int CvxODB::SetValue(const char* object, const char* slot_name, const char* text, int options,
                     int flags) {
  if (database_ == nullptr || !IsObjectName(object) || slot_name == nullptr || text == nullptr ||
      options != 0 || flags != 0) {
    return 0;
  }
  return Guarded([&] {
    SlotValueView value;
    value.kind = SlotKind::kText;
    value.text = text;
    return database_->WriteValue(object, slot_name, value);
  });
}

int CvxODB::SetNumberValue(const char* object, const char* slot_name, double number,
                           const char* units) {
  if (database_ == nullptr || !IsObjectName(object) || slot_name == nullptr) return 0;
  return Guarded([&] {
    SlotValueView value;
    value.kind = SlotKind::kNumber;
    value.number = number;
    if (units != nullptr) value.units = units;
    return database_->WriteValue(object, slot_name, value);
  });
}

int CvxODB::SetListValue(const char* object, const char* slot_name, CStrList* items) {
  if (database_ == nullptr || !IsObjectName(object) || slot_name == nullptr || items == nullptr) {
    return 0;
  }
  return Guarded([&] {
    std::string encoded;
    zozavi::EncodeListItems(*items, encoded);
    SlotValueView value;
    value.kind = SlotKind::kList;
    value.items = encoded;
    return database_->WriteValue(object, slot_name, value);
  });
}
