// CvxSlot: one fetched slot value.
#include <cstdint>  // std::uint32_t
#include <limits>   // std::numeric_limits for the length cap
#include <new>      // std::nothrow

#include "diff/host/object_database.h"  // CvxSlot
#include "list_items.h"                 // AppendListItems
#include "slot_value.h"                 // CvxSlot::Value, TextFormLength

using zozavi::SlotKind;

// The slot to fetch is named in GetValue, so `name` is not kept. A slot built
// with a type other than VX_SLOT_ANY accepts only values of that type. When
// memory runs out the slot holds nothing and every fetch into it fails.
CvxSlot::CvxSlot(const char* /*name*/, VX_SLOT_TYPE type) : value_(new (std::nothrow) Value) {
  if (value_ != nullptr) value_->accepted = type;
}

CvxSlot::~CvxSlot() { delete value_; }

int CvxSlot::IsText() const { return value_ != nullptr && value_->kind == SlotKind::kText; }

const char* CvxSlot::Text() const { return IsText() ? value_->text.c_str() : ""; }

int CvxSlot::IsNumber() const { return value_ != nullptr && value_->kind == SlotKind::kNumber; }

double CvxSlot::Number() const { return IsNumber() ? value_->number : 0; }

int CvxSlot::HasUnits() const { return IsNumber() && !value_->units.empty(); }

const char* CvxSlot::Units() const { return HasUnits() ? value_->units.c_str() : ""; }

int CvxSlot::IsList() const { return value_ != nullptr && value_->kind == SlotKind::kList; }

int CvxSlot::GetListItems(CStrList* items) const {
  if (!IsList() || items == nullptr) return 0;
  try {
    items->Clear();
    return zozavi::AppendListItems(value_->items, *items) ? 1 : 0;
  } catch (...) {
    return 0;  // out of memory in the list
  }
}

std::uint32_t CvxSlot::GetValueBufferLength() const {
  if (value_ == nullptr) return 0;
  const std::size_t length = zozavi::TextFormLength(value_->View());
  // A text form past 4 GiB answers the largest length there is.
  return length > std::numeric_limits<std::uint32_t>::max()
             ? std::numeric_limits<std::uint32_t>::max()
             : static_cast<std::uint32_t>(length);
}
