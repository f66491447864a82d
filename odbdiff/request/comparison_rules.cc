#include "request/comparison_rules.h"  // ComparisonRules, ResolveComparisonRules, ValueRuleLine, ...

#include <charconv>  // std::to_chars, the tolerance's shortest form
#include <optional>  // std::optional
#include <cmath>     // std::isfinite
#include <string>    // std::string, std::to_string
#include <vector>    // std::vector of patterns

#include <nlohmann/json.hpp>  // nlohmann::json

#include "diff/diff.h"                // DIFF_VALUE_RULE_*
#include "json/json_document_read.h"  // ReadJsonDocument, kRulesFileLimit
#include "platform/failure.h"         // Failure

namespace odbdiff {
namespace {

using Json = nlohmann::json;

// Reads and checks a rules file; every fault names the file and the JSON
// pointer of the value at fault.
class RulesFileReader {
 public:
  explicit RulesFileReader(const std::string& path) : path_(path) {}

  void Read(ComparisonRules& rules, std::vector<SlotRuleGiven>& slot_rules, bool& rule_given,
            bool& tolerance_given) {
    const Json document = ReadJsonDocument(path_, kRulesFileLimit);
    if (!document.is_object()) Refuse("", "expected an object of rules");
    for (const auto& [key, value] : document.items()) {
      const std::string at = (Json::json_pointer() / key).to_string();
      if (key == "value-rule") {
        if (!value.is_string() || !KnownRule(value.get<std::string>())) {
          Refuse(at, "expected \"tolerant\", \"numeric\" or \"exact\"");
        }
        rules.value_rule = value.get<std::string>();
        rule_given = true;
      } else if (key == "tolerance") {
        const double percent = value.is_number() ? value.get<double>() : -1.0;
        if (!(std::isfinite(percent) && percent >= 0.0 && percent < 100.0)) {
          Refuse(at, "expected a number from 0 to below 100 (percent)");
        }
        rules.tolerance_percent = percent;
        tolerance_given = true;
      } else if (key == "ignore-objects") {
        rules.ignore_objects = Patterns(value, at);
      } else if (key == "ignore-slots") {
        rules.ignore_slots = Patterns(value, at);
      } else if (key == "slot-rules") {
        slot_rules = SlotRules(value, at);
      } else {
        Refuse(at, "expected one of \"value-rule\", \"tolerance\", \"ignore-objects\", "
                   "\"ignore-slots\", \"slot-rules\"");
      }
    }
    if (rule_given && tolerance_given && rules.value_rule == "exact") {
      Refuse("/tolerance", "has no effect with the exact value rule");
    }
  }

 private:
  std::vector<std::string> Patterns(const Json& value, const std::string& at) {
    if (!value.is_array()) Refuse(at, "expected an array of glob patterns");
    std::vector<std::string> patterns;
    for (std::size_t i = 0; i < value.size(); ++i) {
      const Json& item = value[i];
      const std::string item_at = at + "/" + std::to_string(i);
      if (!item.is_string()) Refuse(item_at, "expected a glob pattern (a string)");
      const std::string& pattern = item.get_ref<const std::string&>();
      if (pattern.find('\0') != std::string::npos) Refuse(item_at, "a pattern cannot hold NUL");
      patterns.push_back(pattern);
    }
    return patterns;
  }

  std::vector<SlotRuleGiven> SlotRules(const Json& value, const std::string& at) {
    if (!value.is_array()) Refuse(at, "expected an array of slot rules");
    std::vector<SlotRuleGiven> slot_rules;
    for (std::size_t i = 0; i < value.size(); ++i) {
      slot_rules.push_back(SlotRuleEntry(value[i], at + "/" + std::to_string(i)));
    }
    return slot_rules;
  }

  SlotRuleGiven SlotRuleEntry(const Json& entry, const std::string& at) {
    if (!entry.is_object()) Refuse(at, "expected an object with \"slot\" and its settings");
    SlotRuleGiven given;
    for (const auto& [key, value] : entry.items()) {
      const std::string key_at = (Json::json_pointer(at) / key).to_string();
      if (key == "object" || key == "slot") {
        if (!value.is_string()) Refuse(key_at, "expected a glob pattern (a string)");
        const std::string& pattern = value.get_ref<const std::string&>();
        if (pattern.find('\0') != std::string::npos) Refuse(key_at, "a pattern cannot hold NUL");
        (key == "object" ? given.object : given.slot) = pattern;
      } else if (key == "rule" || key == "case" || key == "lists") {
        const std::string text = value.is_string() ? value.get<std::string>() : std::string();
        if (const std::string fault = SlotRuleSettingFault(key, text); !fault.empty()) {
          Refuse(key_at, fault);
        }
        (key == "rule" ? given.rule : key == "case" ? given.text_case : given.lists) = text;
      } else if (key == "relative" || key == "absolute") {
        const double number = value.is_number() ? value.get<double>() : -1.0;
        if (const std::string fault = SlotRuleNumberFault(key, number); !fault.empty()) {
          Refuse(key_at, fault);
        }
        (key == "relative" ? given.relative : given.absolute) = number;
      } else {
        Refuse(key_at, "expected one of \"object\", \"slot\", \"rule\", \"relative\", "
                       "\"absolute\", \"case\", \"lists\"");
      }
    }
    if (!entry.contains("slot")) Refuse(at, "a slot rule needs \"slot\"");
    return given;
  }

  static bool KnownRule(const std::string& rule) {
    return rule == "tolerant" || rule == "numeric" || rule == "exact";
  }

  [[noreturn]] void Refuse(const std::string& at, const std::string& reason) const {
    throw Failure(path_, (at.empty() ? "/" : at) + ": " + reason);
  }

  const std::string& path_;
};

int RuleCode(const std::string& rule) {
  if (rule == "numeric") return DIFF_VALUE_RULE_NUMERIC;
  if (rule == "exact") return DIFF_VALUE_RULE_EXACT;
  return DIFF_VALUE_RULE_TOLERANT;
}

// The first ':' that no backslash quotes, or npos.
std::size_t ObjectSlotSeparator(const std::string& pattern) {
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '\\') {
      ++i;
    } else if (pattern[i] == ':') {
      return i;
    }
  }
  return std::string::npos;
}

int SlotRuleCode(const std::string& rule) {
  return rule == "units" ? DIFF_VALUE_RULE_UNITS : RuleCode(rule);
}

// `given` with the settings it leaves out taken from the run's rules. Throws
// Failure(`file`, `at` and the fault) for tolerances with the exact rule.
SlotRule ResolveSlotRule(const SlotRuleGiven& given, const ComparisonRules& run,
                         const std::string& file, const std::string& at) {
  SlotRule rule{given.object, given.slot, given.rule.value_or(run.value_rule), 0.0, 0.0,
                given.text_case.value_or("exact"), given.lists.value_or("ordered")};
  if (rule.rule == "exact") {
    if (given.relative || given.absolute) {
      const std::string setting = given.relative ? "relative" : "absolute";
      throw Failure(file, (at.empty() ? setting : at + "/" + setting) +
                              ": has no effect with the exact rule");
    }
    return rule;
  }
  // An exact run has no tolerance to hand on.
  const double run_tolerance = run.value_rule == "exact" ? 0.0 : run.tolerance_percent;
  rule.relative = given.relative.value_or(run_tolerance);
  rule.absolute = given.absolute.value_or(0.0);
  return rule;
}

}  // namespace

ComparisonRules ResolveComparisonRules(const ComparisonOptions& options) {
  ComparisonRules rules;
  bool file_rule = false;
  bool file_tolerance = false;
  std::vector<SlotRuleGiven> file_slot_rules;
  if (options.rules_file) {
    RulesFileReader(*options.rules_file).Read(rules, file_slot_rules, file_rule, file_tolerance);
  }
  if (options.value_rule) {
    rules.value_rule = *options.value_rule;
    // The command line's exact rule makes the file's tolerance moot.
    if (rules.value_rule == "exact") rules.tolerance_percent = 2.0;
  }
  if (options.tolerance_percent) rules.tolerance_percent = *options.tolerance_percent;
  if (options.tolerance_percent && rules.value_rule == "exact") {
    throw Failure(*options.rules_file, "/value-rule: --tolerance has no effect with \"exact\"");
  }
  rules.ignore_objects.insert(rules.ignore_objects.end(), options.ignore_objects.begin(),
                              options.ignore_objects.end());
  rules.ignore_slots.insert(rules.ignore_slots.end(), options.ignore_slots.begin(),
                            options.ignore_slots.end());
  for (std::size_t i = 0; i < file_slot_rules.size(); ++i) {
    rules.slot_rules.push_back(ResolveSlotRule(file_slot_rules[i], rules, *options.rules_file,
                                               "/slot-rules/" + std::to_string(i)));
  }
  for (const std::string& text : options.slot_rules) {
    std::string fault;
    const std::optional<SlotRuleGiven> given = ParseSlotRuleOption(text, fault);
    if (!given) throw Failure("--slot-rule", fault);
    rules.slot_rules.push_back(ResolveSlotRule(*given, rules, "--slot-rule " + text, ""));
  }
  return rules;
}

std::string ValueRuleLine(const ComparisonRules& rules) {
  std::string line = "value rule: " + rules.value_rule;
  if (rules.value_rule != "exact") {
    char tolerance[32];  // the longest shortest form has 24 characters
    // Adding 0.0 makes a tolerance of -0 read 0.
    const std::to_chars_result end =
        std::to_chars(tolerance, tolerance + sizeof tolerance, rules.tolerance_percent + 0.0);
    line += ", tolerance ";
    line.append(tolerance, end.ptr);
    line += " %";
  }
  if (!rules.slot_rules.empty()) {
    line += "; " + std::to_string(rules.slot_rules.size()) +
            (rules.slot_rules.size() == 1 ? " slot rule" : " slot rules");
  }
  return line + '\n';
}

void ApplyComparisonRules(const DiffModule& module, const ComparisonRules& rules) {
  module.diff_reset_options();
  module.diff_set_value_rule(RuleCode(rules.value_rule), rules.tolerance_percent);
  ThrowIfModuleFailed(module);
  for (const std::string& pattern : rules.ignore_objects) {
    module.diff_ignore_object(pattern.c_str());
    ThrowIfModuleFailed(module);
  }
  for (const std::string& pattern : rules.ignore_slots) {
    const std::size_t separator = ObjectSlotSeparator(pattern);
    if (separator == std::string::npos) {
      module.diff_ignore_slot(nullptr, pattern.c_str());
    } else {
      module.diff_ignore_slot(pattern.substr(0, separator).c_str(),
                              pattern.substr(separator + 1).c_str());
    }
    ThrowIfModuleFailed(module);
  }
  for (const SlotRule& rule : rules.slot_rules) {
    module.diff_add_slot_rule(rule.object.c_str(), rule.slot.c_str(), SlotRuleCode(rule.rule),
                              rule.relative, rule.absolute,
                              rule.text_case == "ignore" ? DIFF_CASE_IGNORE : DIFF_CASE_EXACT,
                              rule.lists == "set"         ? DIFF_LISTS_SET
                              : rule.lists == "unordered" ? DIFF_LISTS_UNORDERED
                                                          : DIFF_LISTS_ORDERED);
    ThrowIfModuleFailed(module);
  }
}

}  // namespace odbdiff
