// Slot values: their kinds, the library's representation behind CvxSlot, and
// the text form in which LoadAllSlots and GetValueBufferLength present them.
#ifndef HOSTLIBS_OBJDB_SLOT_VALUE_H_
#define HOSTLIBS_OBJDB_SLOT_VALUE_H_

#include <cstddef>      // std::size_t
#include <string>       // std::string for owned bytes
#include <string_view>  // std::string_view for borrowed bytes

#include "diff/host/object_database.h"  // CvxSlot, VX_SLOT_TYPE

namespace zozavi {

// What a slot holds. The numbers are those of VX_SLOT_TYPE and of the `kind`
// column of an object file.
enum class SlotKind : int {
  kNone = VX_SLOT_ANY,
  kText = VX_SLOT_TEXT,
  kNumber = VX_SLOT_NUMBER,
  kList = VX_SLOT_LIST,
};

// A slot value whose bytes live elsewhere (in a query row or a CvxSlot).
struct SlotValueView {
  SlotKind kind = SlotKind::kNone;
  std::string_view text;   // kText: the text
  double number = 0;       // kNumber: the number
  std::string_view units;  // kNumber: the units, empty when there are none
  std::string_view items;  // kList: the items, each closed by one NUL byte
};

// Appends the value's text form to `out`: a text as it is; a number as the
// shortest decimal that reads back as the same double, then a blank and the
// units when there are units; a list as its items joined with "\n".
void AppendTextForm(const SlotValueView& value, std::string& out);

// Length in bytes of the value's text form.
std::size_t TextFormLength(const SlotValueView& value);

}  // namespace zozavi

// The library's copy of one fetched value.
struct CvxSlot::Value {
  VX_SLOT_TYPE accepted = VX_SLOT_ANY;  // the kind GetValue may fetch; ANY for all
  zozavi::SlotKind kind = zozavi::SlotKind::kNone;
  std::string text;
  double number = 0;
  std::string units;
  std::string items;  // each item closed by one NUL byte

  zozavi::SlotValueView View() const { return {kind, text, number, units, items}; }
  void Assign(const zozavi::SlotValueView& value) {
    kind = value.kind;
    text.assign(value.text);
    number = value.number;
    units.assign(value.units);
    items.assign(value.items);
  }
  void Clear() { Assign({}); }
};

#endif  // HOSTLIBS_OBJDB_SLOT_VALUE_H_
