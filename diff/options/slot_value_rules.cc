#include "diff/options/slot_value_rules.h"

#include <algorithm>  // std::sort
#include <cmath>      // std::isfinite

#include "diff/diff.h"                  // DIFF_VALUE_RULE_*, DIFF_CASE_*, DIFF_LISTS_*
#include "diff/outcome/call_outcome.h"  // fail

namespace diff {
namespace {

[[noreturn]] void refuse(const std::string& why) {
  fail(DIFF_ERROR_ARGUMENT, "diff_add_slot_rule: " + why);
}

engine::SlotRuleKind kind_of(int rule) {
  switch (rule) {
    case DIFF_VALUE_RULE_TOLERANT:
      return engine::SlotRuleKind::kTolerant;
    case DIFF_VALUE_RULE_NUMERIC:
      return engine::SlotRuleKind::kNumeric;
    case DIFF_VALUE_RULE_EXACT:
      return engine::SlotRuleKind::kExact;
    case DIFF_VALUE_RULE_UNITS:
      return engine::SlotRuleKind::kUnits;
    default:
      refuse("unknown value rule " + std::to_string(rule));
  }
}

engine::TextCase case_of(int text_case) {
  if (text_case == DIFF_CASE_EXACT) return engine::TextCase::kExact;
  if (text_case == DIFF_CASE_IGNORE) return engine::TextCase::kIgnore;
  refuse("unknown case " + std::to_string(text_case));
}

engine::ListOrder lists_of(int lists) {
  if (lists == DIFF_LISTS_ORDERED) return engine::ListOrder::kOrdered;
  if (lists == DIFF_LISTS_UNORDERED) return engine::ListOrder::kUnordered;
  if (lists == DIFF_LISTS_SET) return engine::ListOrder::kSet;
  refuse("unknown list order " + std::to_string(lists));
}

}  // namespace

void SlotValueRules::add(const char* object_pattern, const char* slot_pattern, int rule,
                         double relative_percent, double absolute, int text_case, int lists) {
  if (slot_pattern == nullptr) refuse("the slot pattern is null");
  engine::SlotRule slot_rule;
  slot_rule.kind = kind_of(rule);
  // Written so that NaN fails the tests too.
  if (!(relative_percent >= 0.0 && relative_percent < 100.0)) {
    refuse("the relative tolerance must be at least 0 and below 100 percent");
  }
  if (!(absolute >= 0.0 && std::isfinite(absolute))) {
    refuse("the absolute tolerance must be a finite number, at least 0");
  }
  slot_rule.relative_percent = relative_percent;
  slot_rule.relative = relative_percent / 100.0;
  slot_rule.absolute = absolute;
  slot_rule.text_case = case_of(text_case);
  slot_rule.lists = lists_of(lists);
  if (slot_rule.kind == engine::SlotRuleKind::kUnits) {
    if (units_ == nullptr) units_ = UnitsDatabase::load();
    slot_rule.units = units_.get();
  }
  const std::string objects = object_pattern != nullptr ? object_pattern : "*";
  // The common pattern "*" is not tried against every object's name.
  if (objects == "*") {
    every_object_.push_back(rules_.size());
  } else {
    objects_.add(objects, rules_.size());
  }
  rules_.push_back({objects, slot_pattern, slot_rule});
  // The lookups hold on to the rules as they were.
  const std::lock_guard<std::mutex> lock(lookups_->mutex);
  lookups_->by_rules.clear();
}

SlotValueRules::Lookup::Lookup(const std::vector<Rule>& rules,
                               const std::vector<std::size_t>& applying)
    : rules_(rules) {
  for (const std::size_t number : applying) slots_.add(rules[number].slot_pattern, number);
}

std::size_t SlotValueRules::Lookup::first_match(std::string_view slot) const {
  std::size_t first = rules_.size();
  slots_.for_each_match(slot, [&first](std::size_t number) {
    if (number < first) first = number;
  });
  return first;
}

const engine::SlotRule* SlotValueRules::Lookup::rule_for(std::string_view slot) const {
  const std::size_t first = first_match(slot);
  return first < rules_.size() ? &rules_[first].rule : nullptr;
}

void SlotValueRules::ObjectLookup::reset(const SlotValueRules& rules, std::string_view object) {
  rules_ = &rules;
  object_ = object;
  resolved_ = false;
  lookup_ = nullptr;
}

const engine::SlotRule* SlotValueRules::ObjectLookup::rule_for(std::string_view slot) const {
  if (!resolved_) {
    lookup_ = rules_->lookup_for(object_);
    resolved_ = true;
  }
  return lookup_ != nullptr ? lookup_->rule_for(slot) : nullptr;
}

const engine::SlotRuleLookup* SlotValueRules::rules_of(std::string_view object) const {
  if (rules_.empty()) return nullptr;
  thread_local ObjectLookup lookup;
  lookup.reset(*this, object);
  return &lookup;
}

const SlotValueRules::Lookup* SlotValueRules::lookup_for(std::string_view object) const {
  std::vector<std::size_t> applying = every_object_;
  objects_.for_each_match(object, [&applying](std::size_t number) { applying.push_back(number); });
  if (applying.empty()) return nullptr;
  std::sort(applying.begin(), applying.end());
  const std::lock_guard<std::mutex> lock(lookups_->mutex);
  // Objects matching ever new sets of rules must not grow the lookups
  // without end (each holds an index of its slot patterns).
  constexpr std::size_t kMostKept = 1024;
  if (lookups_->by_rules.size() >= kMostKept && !lookups_->by_rules.contains(applying)) {
    lookups_->by_rules.clear();
  }
  std::unique_ptr<Lookup>& lookup = lookups_->by_rules[applying];
  if (lookup == nullptr) lookup = std::make_unique<Lookup>(rules_, applying);
  return lookup.get();
}

const SlotValueRules::Rule* SlotValueRules::rule_for(std::string_view object, std::string_view slot,
                                                     std::size_t& number) const {
  number = 0;
  const Lookup* lookup = lookup_for(object);
  if (lookup == nullptr) return nullptr;
  const std::size_t first = lookup->first_match(slot);
  if (first == rules_.size()) return nullptr;
  number = first + 1;
  return &rules_[first];
}

}  // namespace diff
