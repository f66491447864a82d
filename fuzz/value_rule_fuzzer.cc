// The engine's value equality rules against the model of the rules (each
// rule at a few tolerances), and its reading of numbers against atof and
// atoi. The input holds two value texts
// separated by a NUL byte (no NUL: the second text is empty). Aborts when
// the engine and the model disagree, naming the texts.
#include <cstddef>  // std::size_t
#include <cstdint>  // std::uint8_t
#include <cmath>    // std::isnan, std::signbit
#include <cstdio>   // std::fprintf
#include <cstdlib>  // std::abort, std::atof, std::atoi
#include <string>   // std::string

#include <algorithm>  // std::sort
#include <sstream>    // std::istringstream, the items of a list
#include <vector>     // std::vector

#include "diff/engine/number_text.h"    // read_leading_number, read_leading_int
#include "diff/engine/slot_values_judge.h"  // slot_values_differ
#include "diff/engine/value_rule.h"     // ValueRule, ValueRuleKind
#include "diff/engine/values_differ.h"  // values_differ
#include "value_rule_model.h"           // ModelValuesEqual, ModelRule

namespace {

// The fuzz targets never change the locale, so atof reads as in "C".
void CheckNumbers(const char* text) {
  const double engine = diff::engine::read_leading_number(text);
  const double model = std::atof(text);
  // The same double: NaN for NaN, and -0 apart from 0.
  const bool same_sign = std::signbit(engine) == std::signbit(model);
  const bool same = std::isnan(engine) ? std::isnan(model) : engine == model && same_sign;
  if (!same || diff::engine::read_leading_int(text) != std::atoi(text)) {
    std::fprintf(stderr, "value rule: the engine reads \"%s\" unlike atof or atoi\n", text);
    std::abort();
  }
}

using diff::engine::ValueRuleKind;

// Each rule of the engine beside the same rule of the model.
struct RulePair {
  ValueRuleKind engine;
  fuzz::ModelRule model;
  const char* name;
};
constexpr RulePair kRules[] = {
    {ValueRuleKind::kTolerant, fuzz::ModelRule::kTolerant, "tolerant"},
    {ValueRuleKind::kNumeric, fuzz::ModelRule::kNumeric, "numeric"},
    {ValueRuleKind::kExact, fuzz::ModelRule::kExact, "exact"},
};
constexpr double kTolerancesPercent[] = {0, 2, 10};

void CheckVerdicts(bool engine_equal, bool model_equal, const char* rule, double percent,
                   const char* a, const char* b) {
  if (engine_equal == model_equal) return;
  std::fprintf(stderr,
               "value rule %s at %g %%: engine says %s for \"%s\" and \"%s\", the model %s\n", rule,
               percent, engine_equal ? "equal" : "different", a, b,
               engine_equal ? "different" : "equal");
  std::abort();
}

std::vector<std::string> SortedItems(const std::string& text) {
  std::vector<std::string> items;
  std::istringstream lines(text + "\n");
  for (std::string item; std::getline(lines, item);) items.push_back(item);
  std::sort(items.begin(), items.end());
  return items;
}

// A slot rule of each value rule's kind, without absolute tolerance and with
// its other settings at their defaults, judges values without line breaks
// as the value rule does; exact unordered lists are equal when their sorted
// items are; an explanation never changes the verdict.
void CheckSlotRules(const std::string& a, const std::string& b) {
  using diff::engine::SlotRule;
  using diff::engine::SlotRuleKind;
  const bool plain = a.find('\n') == std::string::npos && b.find('\n') == std::string::npos;
  constexpr SlotRuleKind kKinds[] = {SlotRuleKind::kTolerant, SlotRuleKind::kNumeric,
                                     SlotRuleKind::kExact};
  for (std::size_t k = 0; k < 3; ++k) {
    for (const double percent : kTolerancesPercent) {
      SlotRule rule;
      rule.kind = kKinds[k];
      rule.relative_percent = percent;
      rule.relative = percent / 100;
      const int verdict = diff::engine::slot_values_differ(a.c_str(), b.c_str(), rule);
      std::string explanation;
      if (diff::engine::slot_values_differ(a.c_str(), b.c_str(), rule, &explanation) != verdict) {
        std::fprintf(stderr, "slot rule %s: explaining changes the verdict\n", kRules[k].name);
        std::abort();
      }
      if (plain) {
        CheckVerdicts(verdict == 0, fuzz::ModelValuesEqual(a.c_str(), b.c_str(), kRules[k].model,
                                                           percent / 100),
                      kRules[k].name, percent, a.c_str(), b.c_str());
      }
    }
  }
  SlotRule unordered;
  unordered.kind = SlotRuleKind::kExact;
  unordered.lists = diff::engine::ListOrder::kUnordered;
  CheckVerdicts(diff::engine::slot_values_differ(a.c_str(), b.c_str(), unordered) == 0,
                SortedItems(a) == SortedItems(b), "exact unordered", 0, a.c_str(), b.c_str());
}

void CheckPair(const char* a, const char* b) {
  // The default rule, as every comparison without options uses it.
  CheckVerdicts(diff::engine::values_differ(a, b) == 0, fuzz::ModelValuesEqual(a, b), "default",
                2, a, b);
  for (const auto& [kind, model_rule, name] : kRules) {
    for (const double percent : kTolerancesPercent) {
      const diff::engine::ValueRule rule{kind, percent, percent / 100};
      CheckVerdicts(diff::engine::values_differ(a, b, rule) == 0,
                    fuzz::ModelValuesEqual(a, b, model_rule, percent / 100), name, percent, a, b);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t separator = input.find('\0');
  // c_str() ends each text at its first NUL, as every value text ends.
  const std::string a = input.substr(0, separator);
  const std::string b = separator == std::string::npos ? "" : input.substr(separator + 1);
  CheckNumbers(a.c_str());
  CheckNumbers(b.c_str());
  CheckSlotRules(a, b.c_str());
  CheckPair(a.c_str(), b.c_str());
  CheckPair(b.c_str(), a.c_str());
  return 0;
}
