#include "diff/engine/value_rule.h"

namespace diff::engine {
namespace {

ValueRule rule_in_force;

}  // namespace

const ValueRule& current_value_rule() { return rule_in_force; }

void set_current_value_rule(const ValueRule& rule) { rule_in_force = rule; }

}  // namespace diff::engine
