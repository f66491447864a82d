// The comparison options as a host sets them: what the setters refuse, and
// that the rule in force reaches the comparisons until the defaults are put
// back. The options are held for the process: every test puts the defaults
// back when it ends.
#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <cmath>   // NAN, INFINITY
#include <string>  // std::string

#include "diff/diff.h"                   // the entry points
#include "tests/support/object_files.h"  // write_object_file
#include "tests/support/temp_dir.h"      // TempDir

namespace diff::testing {
namespace {

struct RuleInForce {
  int rule;
  double tolerance_percent;
  bool operator==(const RuleInForce&) const = default;
};

std::ostream& operator<<(std::ostream& out, const RuleInForce& rule) {
  return out << rule.rule << " at " << rule.tolerance_percent << " %";
}

RuleInForce rule_in_force() {
  double tolerance = -1;
  const int rule = diff_get_value_rule(&tolerance);
  return {rule, tolerance};
}

class ComparisonOptionsTest : public ::testing::Test {
 protected:
  ~ComparisonOptionsTest() override {
    diff_reset_options();
    DiffTerminate();
  }

  int compare_files() {
    ::testing::internal::CaptureStdout();
    const int result = diff_objfiles_ormo(a_.c_str(), b_.c_str(), dir_.file("a_diff.odb").c_str(),
                                          dir_.file("b_diff.odb").c_str(),
                                          dir_.file("combined.odb").c_str(), 0);
    ::testing::internal::GetCapturedStdout();
    return result;
  }

  TempDir dir_;
  const std::string a_ = dir_.file("a.odb"), b_ = dir_.file("b.odb");
};

TEST_F(ComparisonOptionsTest, DefaultsAreTheTolerantRuleAtTwoPercent) {
  EXPECT_EQ(rule_in_force(), (RuleInForce{DIFF_VALUE_RULE_TOLERANT, 2.0}));
  EXPECT_EQ(diff_set_value_rule(DIFF_VALUE_RULE_NUMERIC, 0.5), 1);
  EXPECT_EQ(diff_last_error(nullptr), DIFF_OK);
  EXPECT_EQ(rule_in_force(), (RuleInForce{DIFF_VALUE_RULE_NUMERIC, 0.5}));
  EXPECT_EQ(diff_set_value_rule(DIFF_VALUE_RULE_EXACT, 99.5), 1);  // kept, though unused
  EXPECT_EQ(rule_in_force(), (RuleInForce{DIFF_VALUE_RULE_EXACT, 99.5}));
  EXPECT_EQ(diff_reset_options(), 1);
  EXPECT_EQ(rule_in_force(), (RuleInForce{DIFF_VALUE_RULE_TOLERANT, 2.0}));
}

TEST_F(ComparisonOptionsTest, InvalidRuleOrToleranceIsRefusedAndChangesNothing) {
  ASSERT_EQ(diff_set_value_rule(DIFF_VALUE_RULE_NUMERIC, 5), 1);
  const struct {
    int rule;
    double tolerance_percent;
    const char* message;
  } refused[] = {
      {3, 2, "diff_set_value_rule: unknown value rule 3"},
      {-1, 2, "diff_set_value_rule: unknown value rule -1"},
      {DIFF_VALUE_RULE_EXACT, -0.1,
       "diff_set_value_rule: the tolerance must be at least 0 and below 100 percent"},
      {DIFF_VALUE_RULE_TOLERANT, 100,
       "diff_set_value_rule: the tolerance must be at least 0 and below 100 percent"},
      {DIFF_VALUE_RULE_TOLERANT, INFINITY,
       "diff_set_value_rule: the tolerance must be at least 0 and below 100 percent"},
      {DIFF_VALUE_RULE_NUMERIC, NAN,
       "diff_set_value_rule: the tolerance must be at least 0 and below 100 percent"},
  };
  for (const auto& call : refused) {
    EXPECT_EQ(diff_set_value_rule(call.rule, call.tolerance_percent), 0) << call.message;
    const char* message = nullptr;
    EXPECT_EQ(diff_last_error(&message), DIFF_ERROR_ARGUMENT);
    EXPECT_STREQ(message, call.message);
    EXPECT_EQ(rule_in_force(), (RuleInForce{DIFF_VALUE_RULE_NUMERIC, 5}));
  }
}

TEST_F(ComparisonOptionsTest, RuleInForceDecidesTheFileComparison) {
  write_object_file(a_, {{"pump", {{"tag", "100-P-001"}, {"state", "Running"}}}});
  write_object_file(b_, {{"pump", {{"tag", "101-P-001"}, {"state", "RUNNING"}}}});
  EXPECT_EQ(compare_files(), 0);
  ASSERT_EQ(diff_set_value_rule(DIFF_VALUE_RULE_EXACT, 2), 1);
  EXPECT_EQ(compare_files(), 1);
  ASSERT_EQ(diff_set_value_rule(DIFF_VALUE_RULE_NUMERIC, 2), 1);
  EXPECT_EQ(compare_files(), 1);
  diff_reset_options();
  EXPECT_EQ(compare_files(), 0);
  EXPECT_EQ(diff_last_error(nullptr), DIFF_OK);
}

TEST_F(ComparisonOptionsTest, ToleranceDecidesTheSlotComparison) {
  write_object_file(a_, {{"pump", {{"flow", "100 m3/h"}, {"state", "on"}}}});
  write_object_file(b_, {{"pump", {{"flow", "104 m3/h"}, {"state", "on"}}}});
  CvxODB a(0, a_.c_str(), 0);
  CvxODB b(0, b_.c_str(), 0);
  ASSERT_NE(a.Open(1), 0);
  ASSERT_NE(b.Open(1), 0);
  const auto compare_objects = [&] {
    CStrList a_names, a_values, b_names, b_values;
    return diff_objects_ormo(&a, "pump", &b, "pump", &a_names, &a_values, &b_names, &b_values);
  };
  EXPECT_EQ(compare_objects(), 1);  // 4 of 104 is more than 2 %
  ASSERT_EQ(diff_set_value_rule(DIFF_VALUE_RULE_NUMERIC, 5), 1);
  EXPECT_EQ(compare_objects(), 0);
  ASSERT_EQ(diff_set_value_rule(DIFF_VALUE_RULE_TOLERANT, 3.5), 1);
  EXPECT_EQ(compare_objects(), 1);
  ASSERT_EQ(diff_set_value_rule(DIFF_VALUE_RULE_TOLERANT, 4), 1);
  EXPECT_EQ(compare_objects(), 0);
}

}  // namespace
}  // namespace diff::testing
