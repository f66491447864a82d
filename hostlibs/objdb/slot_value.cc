#include "slot_value.h"  // SlotValueView, AppendTextForm, TextFormLength

#include <charconv>  // std::to_chars, the shortest round-trip form of a double

#include "list_items.h"  // AppendJoinedItems

namespace zozavi {
namespace {

// Longest shortest form of a double, "-2.2250738585072014e-308", with room.
constexpr std::size_t kNumberTextSize = 32;

std::string_view NumberText(double number, char (&buffer)[kNumberTextSize]) {
  const auto result = std::to_chars(buffer, buffer + kNumberTextSize, number);
  return {buffer, static_cast<std::size_t>(result.ptr - buffer)};
}

}  // namespace

void AppendTextForm(const SlotValueView& value, std::string& out) {
  switch (value.kind) {
    case SlotKind::kText:
      out.append(value.text);
      break;
    case SlotKind::kNumber: {
      char buffer[kNumberTextSize];
      out.append(NumberText(value.number, buffer));
      if (!value.units.empty()) {
        out.push_back(' ');
        out.append(value.units);
      }
      break;
    }
    case SlotKind::kList:
      AppendJoinedItems(value.items, out);
      break;
    case SlotKind::kNone:
      break;
  }
}

std::size_t TextFormLength(const SlotValueView& value) {
  switch (value.kind) {
    case SlotKind::kText:
      return value.text.size();
    case SlotKind::kNumber: {
      char buffer[kNumberTextSize];
      const std::size_t length = NumberText(value.number, buffer).size();
      return value.units.empty() ? length : length + 1 + value.units.size();
    }
    case SlotKind::kList:
      // n closing NULs become n - 1 separators.
      return value.items.empty() ? 0 : value.items.size() - 1;
    case SlotKind::kNone:
      break;
  }
  return 0;
}

}  // namespace zozavi
