#include "inputs/object_file_read.h"  // ObjectFileReader

#include "inputs/object_file_failure.h"  // ObjectFileFailure
#include "platform/failure.h"            // Failure

namespace odbdiff {

bool TakeValue(const CvxSlot& slot, SlotValue& value) {
  if (slot.IsText() != 0) {
    value = TextValue{slot.Text()};
  } else if (slot.IsNumber() != 0) {
    value = NumberValue{slot.Number(), slot.HasUnits() != 0 ? slot.Units() : ""};
  } else if (slot.IsList() != 0) {
    CStrList items;
    if (slot.GetListItems(&items) == 0) return false;
    ListValue list;
    list.items.reserve(static_cast<std::size_t>(items.GetLength()));
    for (int position = 0; position < items.GetLength(); ++position) {
      list.items.emplace_back(items.GetTextAt(position));
    }
    value = std::move(list);
  } else {
    return false;
  }
  return true;
}


ObjectFileReader::ObjectFileReader(const std::string& path, bool list_objects)
    : path_(path), database_(0, path_.c_str(), 0) {
  if (database_.Open(1) == 0) throw ObjectFileFailure(path_, database_, "not an object file");
  if (list_objects && database_.GetObjects(&object_names_) == 0) {
    throw ObjectFileFailure(path_, database_, "cannot read its objects");
  }
}

Object ObjectFileReader::ReadObject(const char* name) {
  Object object{name, {}};
  CStrList slot_names;
  if (database_.GetSlots(name, &slot_names, 0) == 0) {
    throw ObjectFileFailure(path_, database_, "cannot read the slots of object " + object.name);
  }
  object.slots.reserve(static_cast<std::size_t>(slot_names.GetLength()));
  CvxSlot fetched;
  for (int position = 0; position < slot_names.GetLength(); ++position) {
    const char* slot_name = slot_names.GetTextAt(position);
    Slot slot{slot_name, {}};
    if (database_.GetValue(name, slot_name, fetched, 0) == 0 || !TakeValue(fetched, slot.value)) {
      throw ObjectFileFailure(path_, database_,
                              "cannot read slot " + slot.name + " of object " + object.name);
    }
    object.slots.push_back(std::move(slot));
  }
  return object;
}

Object ObjectFileReader::ReadKeptObject(const std::string& name, const DiffModule& module) {
  Object object = ReadObject(name.c_str());
  std::erase_if(object.slots, [&](const Slot& slot) {
    return module.diff_is_ignored(name.c_str(), slot.name.c_str()) != 0;
  });
  return object;
}

void ObjectFileReader::LoadSlotTexts(const char* name, CStrList& slot_names, CStrList& values) {
  if (database_.LoadAllSlots(name, &slot_names, &values, 0, 0) == 0) {
    throw ObjectFileFailure(path_, database_, "cannot read the slots of object " + std::string(name));
  }
}

}  // namespace odbdiff
