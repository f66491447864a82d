// Slot rules as odbdiff takes them: entries of a rules file's "slot-rules"
// and --slot-rule options, each with the settings it names; the others take
// the run's settings when the rules are resolved.
//
// --slot-rule [OBJECT_GLOB:]SLOT_GLOB=SETTINGS, SETTINGS a comma-separated list of
//   a rule name (exact, numeric, tolerant, units) or rule=NAME,
//   relative=PERCENT, absolute=NUMBER, case=exact|ignore,
//   lists=ordered|unordered|set;
// a ':' or '=' of a glob is written "\:" or "\=".
#ifndef ODBDIFF_REQUEST_SLOT_RULE_OPTIONS_H_
#define ODBDIFF_REQUEST_SLOT_RULE_OPTIONS_H_

#include <optional>  // std::optional
#include <string>    // std::string

namespace odbdiff {

// One slot rule as given; an absent setting is the run's.
struct SlotRuleGiven {
  std::string object = "*";
  std::string slot;
  std::optional<std::string> rule;       // exact, numeric, tolerant or units
  std::optional<double> relative;        // percent, from 0 to below 100
  std::optional<double> absolute;        // finite, at least 0
  std::optional<std::string> text_case;  // exact or ignore
  std::optional<std::string> lists;      // ordered, unordered or set
};

// One slot rule with every setting resolved, as odbdiff puts it in force and
// names it in the JSON's "rules".
struct SlotRule {
  std::string object;
  std::string slot;
  std::string rule;
  double relative = 0.0;  // not used by exact
  double absolute = 0.0;  // not used by exact
  std::string text_case;
  std::string lists;
};

// Reads the text of a --slot-rule option. Returns the fault, without the
// option's name, in `fault` and nullopt when the text is not one.
std::optional<SlotRuleGiven> ParseSlotRuleOption(const std::string& text, std::string& fault);

// The fault of a setting's value, or "" when it is good: `key` is one of
// rule, relative, absolute, case and lists.
std::string SlotRuleSettingFault(const std::string& key, const std::string& value);

// The fault of a tolerance, or "" when it is good: `key` is relative or
// absolute.
std::string SlotRuleNumberFault(const std::string& key, double number);

// True for the names of the rules a slot rule takes.
bool KnownSlotRule(const std::string& rule);

}  // namespace odbdiff

#endif  // ODBDIFF_REQUEST_SLOT_RULE_OPTIONS_H_
