#include "diff/report_text/slot_value_text.h"

#include <vector>  // std::vector, the buffer of a list's join

#include "diff/host/list_library.h"              // CStrList, the items of a list value
#include "diff/outcome/database_failure.h"       // read_answer
#include "diff/report_text/number_format.h"      // format_number

namespace diff::report_text {
namespace {

constexpr char kListSeparator[] = "\n";

std::string text_without_trailing_blanks(const char* text) {
  std::string result(text);
  const std::size_t last = result.find_last_not_of(' ');
  result.erase(last == std::string::npos ? 0 : last + 1);
  return result;
}

std::string number_text(const CvxSlot& slot) {
  std::string result = format_number(slot.Number());
  result.push_back(' ');  // written also when there are no units
  if (slot.HasUnits()) result.append(slot.Units());
  return result;
}

std::string list_text(const CvxSlot& slot) {
  CStrList items;
  slot.GetListItems(&items);  // a failure leaves the list empty: an empty join
  // Room for the whole join and its terminator, so that no character is lost.
  const int size = items.GetTextListLen(kListSeparator) + 1;
  std::vector<char> join(static_cast<std::size_t>(size));
  const int length = items.GetTextList(join.data(), size, kListSeparator);
  return std::string(join.data(), static_cast<std::size_t>(length));
}

}  // namespace

std::string slot_value_text(const CvxSlot& slot) {
  if (slot.IsText()) return text_without_trailing_blanks(slot.Text());
  if (slot.IsNumber()) return number_text(slot);
  if (slot.IsList()) return list_text(slot);
  return {};
}

std::string fetch_value_text(CvxODB& database, const char* object, const char* slot_name,
                             std::string_view too_long_message) {
  CvxSlot slot(nullptr, VX_SLOT_ANY);
  // A slot that is not there leaves the slot without a value.
  read_answer(database, database.GetValue(object, slot_name, slot, 0));
  if (slot.GetValueBufferLength() >= kValueLengthLimit) return std::string(too_long_message);
  return slot_value_text(slot);
}

}  // namespace diff::report_text
