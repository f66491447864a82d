#include "slot_value.h"  // SlotValueView, AppendTextForm, TextFormLength

#include <charconv>  // std::to_chars, the shortest round-trip form of a double

#include "list_items.h"  // AppendJoinedItems

namespace zozavi {
namespace {

// Longest shortest form of a double, "-2.2250738585072014e-308", with room.
constexpr std::size_t kNumberTextSize = 32;

// Whole numbers below this print all their digits in the shortest form.
constexpr double kWholeDigitsBelow = 1e15;

// The shortest form of a whole number other than 0 below kWholeDigitsBelow,
// printed as an integer, which costs a fraction of the double's digit
// search. Its shortest form keeps every digit up to the last that is not 0;
// it is written out in full, unless the "1.48e+03" form is shorter (tie: in
// full), which is left to the double's conversion. Null then.
const char* WholeNumberText(double number, char* first, char* last) {
  if (!(number > -kWholeDigitsBelow && number < kWholeDigitsBelow) || number == 0) return nullptr;
  const auto whole = static_cast<long long>(number);
  if (static_cast<double>(whole) != number) return nullptr;
  const char* end = std::to_chars(first, last, whole).ptr;
  const char* digits = whole < 0 ? first + 1 : first;
  const char* significant_end = end;
  while (significant_end[-1] == '0') --significant_end;
  const auto length = end - digits;
  const auto significant = significant_end - digits;
  // "d.ddd" and "e+XX": exponents below 100 take two digits.
  const auto scientific = (significant == 1 ? 1 : significant + 1) + 4;
  return length <= scientific ? end : nullptr;
}

std::string_view NumberText(double number, char (&buffer)[kNumberTextSize]) {
  const char* end = WholeNumberText(number, buffer, buffer + kNumberTextSize);
  if (end == nullptr) end = std::to_chars(buffer, buffer + kNumberTextSize, number).ptr;
  return {buffer, static_cast<std::size_t>(end - buffer)};
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
