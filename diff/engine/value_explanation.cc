// The explanations of slot_values_judge.h for the run's value rule, and the
// words that name the rules.
#include <charconv>  // std::to_chars
#include <string>    // std::string

#include "diff/engine/number_text.h"        // read_whole_number, read_leading_number
#include "diff/engine/slot_values_judge.h"  // explain_value_rule, describe_*
#include "diff/engine/values_differ.h"      // values_differ

namespace diff::engine {
namespace {

std::string shortest(double number) {
  char text[32];
  const std::to_chars_result end = std::to_chars(text, text + sizeof text, number + 0.0);
  return std::string(text, end.ptr);
}

const char* kind_name(SlotRuleKind kind) {
  switch (kind) {
    case SlotRuleKind::kTolerant:
      return "tolerant";
    case SlotRuleKind::kNumeric:
      return "numeric";
    case SlotRuleKind::kExact:
      return "exact";
    case SlotRuleKind::kUnits:
      break;
  }
  return "units";
}

const char* kind_name(ValueRuleKind kind) {
  switch (kind) {
    case ValueRuleKind::kTolerant:
      return "tolerant";
    case ValueRuleKind::kNumeric:
      return "numeric";
    case ValueRuleKind::kExact:
      break;
  }
  return "exact";
}

}  // namespace

int explain_value_rule(const char* a, const char* b, const ValueRule& rule,
                       std::string& explanation) {
  const int differ = values_differ(a, b, rule);
  const char* verdict = differ != 0 ? " outside " : " within ";
  const std::string tolerance = shortest(rule.tolerance_percent) + " %";
  if (a == nullptr) a = "";
  if (b == nullptr) b = "";
  WholeNumber x{};
  WholeNumber y{};
  if (differ == 0 && std::string_view(a) == b) {
    explanation = "texts equal";
  } else if (rule.kind == ValueRuleKind::kExact) {
    explanation = "texts differ";
  } else if (rule.kind == ValueRuleKind::kNumeric) {
    if (!read_whole_number(a, &x) || !read_whole_number(b, &y)) {
      explanation = "not both numbers: texts differ";
    } else if (std::string_view(x.units) != y.units) {
      explanation = "units differ";
    } else {
      explanation = std::string(a) + (differ != 0 ? " != " : " = ") + b + verdict + tolerance;
    }
  } else {
    const double x_number = read_leading_number(a);
    const double y_number = read_leading_number(b);
    if (x_number == 0.0 && y_number == 0.0) {
      explanation = "both read as 0: texts compared ignoring case";
    } else {
      explanation = "leading numbers " + shortest(x_number) + (differ != 0 ? " != " : " = ") +
                    shortest(y_number) + verdict + tolerance;
    }
  }
  return differ;
}

std::string describe_slot_rule(const SlotRule& rule) {
  std::string words = kind_name(rule.kind);
  if (rule.kind != SlotRuleKind::kExact)
    words += ", relative " + shortest(rule.relative_percent) + " %";
  if (rule.absolute > 0.0) words += ", absolute " + shortest(rule.absolute);
  if (rule.text_case == TextCase::kIgnore) words += ", case ignore";
  if (rule.lists == ListOrder::kUnordered) words += ", lists unordered";
  if (rule.lists == ListOrder::kSet) words += ", lists set";
  return words;
}

std::string describe_value_rule(const ValueRule& rule) {
  std::string words = kind_name(rule.kind);
  if (rule.kind != ValueRuleKind::kExact)
    words += ", tolerance " + shortest(rule.tolerance_percent) + " %";
  return words;
}

}  // namespace diff::engine
