#include "request/slot_rule_options.h"  // ParseSlotRuleOption, SlotRuleGiven

#include <cmath>    // std::isfinite
#include <cstdlib>  // std::strtod
#include <vector>   // std::vector, the items of SETTINGS

namespace odbdiff {
namespace {

// The first `separator` that no backslash quotes, or npos.
std::size_t Unquoted(const std::string& text, char separator, std::size_t from = 0) {
  for (std::size_t i = from; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;
    } else if (text[i] == separator) {
      return i;
    }
  }
  return std::string::npos;
}

std::optional<double> WholeNumber(const std::string& text) {
  char* end = nullptr;
  const double number = std::strtod(text.c_str(), &end);
  if (text.empty() || end != text.c_str() + text.size()) return std::nullopt;
  return number;
}

std::vector<std::string> Items(const std::string& settings) {
  std::vector<std::string> items;
  std::size_t start = 0;
  for (std::size_t comma = settings.find(','); comma != std::string::npos;
       comma = settings.find(',', start)) {
    items.push_back(settings.substr(start, comma - start));
    start = comma + 1;
  }
  items.push_back(settings.substr(start));
  return items;
}

}  // namespace

bool KnownSlotRule(const std::string& rule) {
  return rule == "exact" || rule == "numeric" || rule == "tolerant" || rule == "units";
}

std::string SlotRuleSettingFault(const std::string& key, const std::string& value) {
  if (key == "rule") {
    return KnownSlotRule(value) ? "" : "expected \"exact\", \"numeric\", \"tolerant\" or \"units\"";
  }
  if (key == "case") {
    return value == "exact" || value == "ignore" ? "" : "expected \"exact\" or \"ignore\"";
  }
  if (key == "lists") {
    return value == "ordered" || value == "unordered" || value == "set"
               ? ""
               : "expected \"ordered\", \"unordered\" or \"set\"";
  }
  const std::optional<double> number = WholeNumber(value);
  return SlotRuleNumberFault(key, number ? *number : -1.0);
}

std::string SlotRuleNumberFault(const std::string& key, double number) {
  // Written so that NaN fails the tests too.
  if (key == "relative") {
    return number >= 0.0 && number < 100.0 ? "" : "expected a number from 0 to below 100 (percent)";
  }
  return std::isfinite(number) && number >= 0.0 ? "" : "expected a finite number, at least 0";
}

std::optional<SlotRuleGiven> ParseSlotRuleOption(const std::string& text, std::string& fault) {
  const std::size_t equals = Unquoted(text, '=');
  if (equals == std::string::npos) {
    fault = text + ": expected [OBJECT_GLOB:]SLOT_GLOB=SETTINGS";
    return std::nullopt;
  }
  SlotRuleGiven given;
  const std::string globs = text.substr(0, equals);
  const std::size_t colon = Unquoted(globs, ':');
  if (colon == std::string::npos) {
    given.slot = globs;
  } else {
    given.object = globs.substr(0, colon);
    given.slot = globs.substr(colon + 1);
  }
  for (const std::string& item : Items(text.substr(equals + 1))) {
    const std::size_t at = item.find('=');
    const std::string key = at == std::string::npos ? "rule" : item.substr(0, at);
    const std::string value = at == std::string::npos ? item : item.substr(at + 1);
    if (key != "rule" && key != "relative" && key != "absolute" && key != "case" &&
        key != "lists") {
      fault = text + ": " + item +
              ": expected a rule name or rule=, relative=, absolute=, case=, lists=";
      return std::nullopt;
    }
    if (const std::string wrong = SlotRuleSettingFault(key, value); !wrong.empty()) {
      fault = text + ": " + key + ": " + wrong;
      return std::nullopt;
    }
    if (key == "rule") given.rule = value;
    if (key == "relative") given.relative = *WholeNumber(value);
    if (key == "absolute") given.absolute = *WholeNumber(value);
    if (key == "case") given.text_case = value;
    if (key == "lists") given.lists = value;
  }
  return given;
}

}  // namespace odbdiff
