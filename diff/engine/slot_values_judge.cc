#include "diff/engine/slot_values_judge.h"

#include <algorithm>    // std::sort, std::unique, std::max
#include <charconv>     // std::to_chars
#include <cmath>        // std::fabs, std::isnan, std::isfinite
#include <cstring>      // std::strcmp, std::strchr
#include <string_view>  // std::string_view
#include <vector>       // std::vector, the items of lists

#include "diff/engine/number_text.h"  // read_whole_number, read_leading_number

namespace diff::engine {
namespace {

// Conversions between units leave a little round-off, which no tolerance
// the user sets should have to cover.
constexpr double kConversionRoundOff = 1e-12;

unsigned char ascii_lower(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool equal_ignoring_ascii_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ascii_lower(static_cast<unsigned char>(a[i])) !=
        ascii_lower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

std::string number_text(double number) {
  char text[32];
  const std::to_chars_result end =
      std::to_chars(text, text + sizeof text, number + 0.0, std::chars_format::general, 6);
  return std::string(text, end.ptr);
}

std::string with_units(double number, std::string_view units) {
  std::string text = number_text(number);
  if (!units.empty()) text.append(" ").append(units);
  return text;
}

// The tolerances in words: "0.5 %", "0.5 % or 0.1 m3/h".
std::string tolerances_text(const SlotRule& rule, std::string_view units) {
  std::string text = number_text(rule.relative_percent) + " %";
  if (rule.absolute > 0.0) text += " or " + with_units(rule.absolute, units);
  return text;
}

bool within(double x, double y, double relative, double absolute) {
  if (x == y) return true;
  if (std::isnan(x) && std::isnan(y)) return true;
  const double difference = std::fabs(x - y);
  if (difference <= absolute) return true;
  // A quotient that is not a number (an infinity, a NaN) means different.
  return difference / std::max(std::fabs(x), std::fabs(y)) <= relative;
}

// Judges one pair of items, each a NUL-terminated text.
class ItemJudge {
 public:
  ItemJudge(const SlotRule& rule, std::string* explanation)
      : rule_(rule), explanation_(explanation) {}

  bool equal(const char* a, const char* b) const {
    if (std::strcmp(a, b) == 0) return say(true, "texts equal");
    if (rule_.text_case == TextCase::kIgnore && equal_ignoring_ascii_case(a, b)) {
      return say(true, "texts equal but for case");
    }
    switch (rule_.kind) {
      case SlotRuleKind::kExact:
        break;
      case SlotRuleKind::kTolerant:
        return tolerant_equal(a, b);
      case SlotRuleKind::kNumeric:
      case SlotRuleKind::kUnits:
        return numbers_equal(a, b);
    }
    return say(false, "texts differ");
  }

 private:
  bool tolerant_equal(const char* a, const char* b) const {
    const double x = read_leading_number(a);
    const double y = read_leading_number(b);
    if (x == 0.0 && y == 0.0) {
      return say(equal_ignoring_ascii_case(a, b), "both read as 0: texts compared ignoring case");
    }
    // As under the tolerant value rule, an infinity or a NaN is within no
    // tolerance, not even of itself.
    if (!std::isfinite(x) || !std::isfinite(y))
      return say(false, "not finite numbers: texts differ");
    const bool equal = within(x, y, rule_.relative, rule_.absolute);
    if (explanation_ != nullptr) compared(equal, number_text(x), number_text(y), "", "");
    return equal;
  }

  bool numbers_equal(const char* a, const char* b) const {
    WholeNumber x{};
    WholeNumber y{};
    if (!read_whole_number(a, &x) || !read_whole_number(b, &y)) {
      return say(false, "not both numbers: texts differ");
    }
    const std::string_view a_units = x.units;
    const std::string_view b_units = y.units;
    if (a_units == b_units) {
      const bool equal = within(x.number, y.number, rule_.relative, rule_.absolute);
      if (explanation_ != nullptr) compared(equal, a, b, "", a_units);
      return equal;
    }
    if (rule_.kind != SlotRuleKind::kUnits || rule_.units == nullptr || a_units.empty() ||
        b_units.empty()) {
      return say(false, "units differ");
    }
    double converted = y.number;
    switch (rule_.units->convert(b_units, a_units, converted)) {
      case UnitConversion::Outcome::kConverted:
        break;
      case UnitConversion::Outcome::kNotConvertible:
        if (explanation_ != nullptr) {
          *explanation_ = std::string(b_units) + " does not convert to " + std::string(a_units);
        }
        return false;
      case UnitConversion::Outcome::kUnknown:
        return say(false, "units not known to the units rule, and they differ");
    }
    const double relative = std::max(rule_.relative, kConversionRoundOff);
    const bool equal = within(x.number, converted, relative, rule_.absolute);
    if (explanation_ != nullptr) {
      compared(equal, a, b, " (" + with_units(converted, a_units) + ")", a_units);
    }
    return equal;
  }

  // Explains "A = B (converted) within T" or "A != B (converted) outside T".
  void compared(bool equal, const std::string& a, const std::string& b,
                const std::string& converted, std::string_view units) const {
    *explanation_ = a + (equal ? " = " : " != ") + b + converted +
                    (equal ? " within " : " outside ") + tolerances_text(rule_, units);
  }

  // `why` is a literal: nothing is built when nobody asks.
  bool say(bool equal, const char* why) const {
    if (explanation_ != nullptr) *explanation_ = why;
    return equal;
  }

  const SlotRule& rule_;
  std::string* explanation_;
};

std::vector<std::string> items_of(const char* text) {
  std::vector<std::string> items;
  for (const char* line = text;;) {
    const char* end = std::strchr(line, '\n');
    if (end == nullptr) {
      items.emplace_back(line);
      return items;
    }
    items.emplace_back(line, end);
    line = end + 1;
  }
}

std::string item_count(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " item" : " items");
}

bool ordered_lists_equal(const std::vector<std::string>& a, const std::vector<std::string>& b,
                         const ItemJudge& judge, std::string* explanation) {
  if (a.size() != b.size()) {
    if (explanation != nullptr)
      *explanation = item_count(a.size()) + " against " + std::to_string(b.size());
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!judge.equal(a[i].c_str(), b[i].c_str())) {
      if (explanation != nullptr)
        *explanation = "item " + std::to_string(i + 1) + ": " + *explanation;
      return false;
    }
  }
  if (explanation != nullptr) *explanation = "every item equal";
  return true;
}

// The key by which items are matched exactly: the item, or its lower case.
std::string key_of(const std::string& item, TextCase text_case) {
  if (text_case == TextCase::kExact) return item;
  std::string key = item;
  for (char& c : key) c = static_cast<char>(ascii_lower(static_cast<unsigned char>(c)));
  return key;
}

struct KeyedItem {
  std::string key;
  const std::string* item;
};

std::vector<KeyedItem> sorted_keys(const std::vector<std::string>& items, const SlotRule& rule) {
  std::vector<KeyedItem> keyed;
  keyed.reserve(items.size());
  for (const std::string& item : items) keyed.push_back({key_of(item, rule.text_case), &item});
  std::sort(keyed.begin(), keyed.end(),
            [](const KeyedItem& x, const KeyedItem& y) { return x.key < y.key; });
  if (rule.lists == ListOrder::kSet) {
    keyed.erase(std::unique(keyed.begin(), keyed.end(),
                            [](const KeyedItem& x, const KeyedItem& y) { return x.key == y.key; }),
                keyed.end());
  }
  return keyed;
}

// Numbers by value, before texts in byte order: items a tolerance may pair
// then stand side by side.
bool item_before(const std::string* x, const std::string* y) {
  WholeNumber a{};
  WholeNumber b{};
  const bool a_number = read_whole_number(x->c_str(), &a);
  const bool b_number = read_whole_number(y->c_str(), &b);
  if (a_number != b_number) return a_number;
  if (a_number && a.number != b.number) return a.number < b.number;
  return *x < *y;
}

bool unordered_lists_equal(const std::vector<std::string>& a, const std::vector<std::string>& b,
                           const SlotRule& rule, const ItemJudge& judge, std::string* explanation) {
  const std::vector<KeyedItem> a_keys = sorted_keys(a, rule);
  const std::vector<KeyedItem> b_keys = sorted_keys(b, rule);
  // The items without an equal partner on the other side.
  std::vector<const std::string*> a_rest;
  std::vector<const std::string*> b_rest;
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a_keys.size() || j < b_keys.size()) {
    if (j == b_keys.size() || (i < a_keys.size() && a_keys[i].key < b_keys[j].key)) {
      a_rest.push_back(a_keys[i++].item);
    } else if (i == a_keys.size() || b_keys[j].key < a_keys[i].key) {
      b_rest.push_back(b_keys[j++].item);
    } else {
      ++i;
      ++j;
    }
  }
  const char* what = rule.lists == ListOrder::kSet ? "sets: " : "unordered lists: ";
  if (a_rest.size() != b_rest.size()) {
    if (explanation != nullptr) {
      *explanation = std::string(what) + item_count(a_rest.size()) + " only in A, " +
                     std::to_string(b_rest.size()) + " only in B";
    }
    return false;
  }
  std::sort(a_rest.begin(), a_rest.end(), item_before);
  std::sort(b_rest.begin(), b_rest.end(), item_before);
  for (std::size_t k = 0; k < a_rest.size(); ++k) {
    if (!judge.equal(a_rest[k]->c_str(), b_rest[k]->c_str())) {
      if (explanation != nullptr) {
        *explanation = std::string(what) + "\"" + *a_rest[k] + "\" against \"" + *b_rest[k] +
                       "\": " + *explanation;
      }
      return false;
    }
  }
  if (explanation != nullptr) *explanation = std::string(what) + "the same items";
  return true;
}

}  // namespace

int slot_values_differ(const char* a, const char* b, const SlotRule& rule,
                       std::string* explanation) {
  if (a == nullptr) a = "";
  if (b == nullptr) b = "";
  const ItemJudge judge(rule, explanation);
  if (std::strchr(a, '\n') == nullptr && std::strchr(b, '\n') == nullptr) {
    return judge.equal(a, b) ? 0 : 1;
  }
  if (std::strcmp(a, b) == 0) {
    if (explanation != nullptr) *explanation = "texts equal";
    return 0;
  }
  const std::vector<std::string> a_items = items_of(a);
  const std::vector<std::string> b_items = items_of(b);
  const bool equal = rule.lists == ListOrder::kOrdered
                         ? ordered_lists_equal(a_items, b_items, judge, explanation)
                         : unordered_lists_equal(a_items, b_items, rule, judge, explanation);
  return equal ? 0 : 1;
}

}  // namespace diff::engine
