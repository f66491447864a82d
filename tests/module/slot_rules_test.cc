// Slot rules as a host sets them: how each rule, tolerance, case and list
// setting judges pairs of values, which rule a slot gets, what is refused,
// and that a file comparison follows them. The options are held for the
// process: every test puts the defaults back.
#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <cmath>   // NAN, INFINITY
#include <string>  // std::string

#include "diff/diff.h"                   // the entry points
#include "tests/support/object_files.h"  // write_object_file
#include "tests/support/temp_dir.h"      // TempDir

namespace diff::testing {
namespace {

struct Judged {
  int differ;
  std::string explanation;
};

Judged explain(const char* object, const char* slot, const char* a, const char* b) {
  const char* explanation = nullptr;
  const int differ = diff_explain_values(object, slot, a, b, &explanation);
  return {differ, explanation != nullptr ? explanation : "(none)"};
}

struct ValueCase {
  int rule;
  double relative;
  double absolute;
  int text_case;
  int lists;
  const char* a;
  const char* b;
  int differ;
  const char* compared;  // what the explanation says after the rule's words
};

constexpr int U = DIFF_VALUE_RULE_UNITS, N = DIFF_VALUE_RULE_NUMERIC, T = DIFF_VALUE_RULE_TOLERANT,
              X = DIFF_VALUE_RULE_EXACT;
constexpr int CE = DIFF_CASE_EXACT, CI = DIFF_CASE_IGNORE;
constexpr int LO = DIFF_LISTS_ORDERED, LU = DIFF_LISTS_UNORDERED, LS = DIFF_LISTS_SET;

TEST(SlotRulesTest, EachRuleAndSettingJudgesPairsOfValues) {
  const ValueCase cases[] = {
      {X, 0, 0, CE, LO, "150-CS-001", "150-SS-001", 1, "texts differ"},
      {X, 0, 0, CI, LO, "Running", "RUNNING", 0, "texts equal but for case"},
      {X, 0, 0, CE, LO, "Running", "RUNNING", 1, "texts differ"},
      {T, 2, 0, CE, LO, "100-P-001", "101-P-001", 0, "100 = 101 within 2 %"},
      {N, 2, 0, CE, LO, "120 m3/h", "122 m3/h", 0, "120 m3/h = 122 m3/h within 2 %"},
      {N, 1, 0, CE, LO, "120 m3/h", "122 m3/h", 1, "120 m3/h != 122 m3/h outside 1 %"},
      {N, 0, 3, CE, LO, "120 m3/h", "122 m3/h", 0, "120 m3/h = 122 m3/h within 0 % or 3 m3/h"},
      {N, 2, 0, CI, LO, "100 kg", "100 KG", 0, "texts equal but for case"},
      {N, 2, 0, CE, LO, "100 kg", "100 KG", 1, "units differ"},
      {N, 2, 0, CE, LO, "inf", "1e308", 1, "inf != 1e308 outside 2 %"},
      // Units: convertible within and outside the tolerances, of another
      // kind, unknown, with offsets, and the spellings mapped.
      {U, 0.5, 0, CE, LO, "120 m3/h", "33.3333 l/s", 0,
       "120 m3/h = 33.3333 l/s (120 m3/h) within 0.5 %"},
      {U, 0.5, 0, CE, LO, "120 m3/h", "40 l/s", 1, "120 m3/h != 40 l/s (144 m3/h) outside 0.5 %"},
      {U, 0, 30, CE, LO, "120 m3/h", "40 l/s", 0,
       "120 m3/h = 40 l/s (144 m3/h) within 0 % or 30 m3/h"},
      {U, 0.5, 0, CE, LO, "120 m3/h", "120 kW", 1, "kW does not convert to m3/h"},
      {U, 0.5, 0, CE, LO, "120 m3/h", "120 l/s", 1, "120 m3/h != 120 l/s (432 m3/h) outside 0.5 %"},
      {U, 0.5, 0, CE, LO, "5 Nm3/h", "5 Sm3/h", 1,
       "units not known to the units rule, and they differ"},
      {U, 0.5, 0, CE, LO, "5 Nm3/h", "5.01 Nm3/h", 0, "5 Nm3/h = 5.01 Nm3/h within 0.5 %"},
      {U, 0.5, 0, CE, LO, "120", "120 m3/h", 1, "units differ"},
      {U, 0, 0, CE, LO, "20 degC", "68 degF", 0, "20 degC = 68 degF (20 degC) within 0 %"},
      {U, 0, 0, CE, LO, "20 °C", "293.15 K", 0, "20 °C = 293.15 K (20 °C) within 0 %"},
      {U, 0.5, 0, CE, LO, "20 degC", "70 degF", 1,
       "20 degC != 70 degF (21.1111 degC) outside 0.5 %"},
      {U, 0, 0, CE, LO, "2 barg", "3.01325 bar", 0, "2 barg = 3.01325 bar (2 barg) within 0 %"},
      {U, 0, 0, CE, LO, "1 kWh", "3.6 MJ", 0, "1 kWh = 3.6 MJ (1 kWh) within 0 %"},
      {U, 0, 0, CE, LO, "50 %", "0.5 1", 0, "50 % = 0.5 1 (50 %) within 0 %"},
      // Lists, one item per line.
      {N, 2, 0, CE, LO, "1\n2", "1\n2.01", 0, "every item equal"},
      {N, 2, 0, CE, LO, "1\n2", "2\n1", 1, "item 1: 1 != 2 outside 2 %"},
      {N, 2, 0, CE, LO, "1\n2", "1", 1, "2 items against 1"},
      {X, 0, 0, CE, LU, "a\nb\na", "b\na\na", 0, "unordered lists: the same items"},
      {X, 0, 0, CE, LU, "a\nb\na", "a\nb", 1, "unordered lists: 1 item only in A, 0 only in B"},
      {X, 0, 0, CE, LS, "a\nb\na", "b\na", 0, "sets: the same items"},
      {X, 0, 0, CI, LU, "A\nb", "B\na", 0, "unordered lists: the same items"},
      {X, 0, 0, CE, LU, "x\ny", "x\nz", 1, "unordered lists: \"y\" against \"z\": texts differ"},
      {N, 1, 0, CE, LU, "10 m\n20 m\nT-01", "T-01\n20.1 m\n10 m", 0,
       "unordered lists: the same items"},
      {U, 0.5, 0, CE, LU, "1 m\n2 m", "200 cm\n100 cm", 0, "unordered lists: the same items"},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " | " + c.b);
    diff_reset_options();
    ASSERT_EQ(
        diff_add_slot_rule(nullptr, "s", c.rule, c.relative, c.absolute, c.text_case, c.lists), 1);
    const Judged judged = explain("pump", "s", c.a, c.b);
    EXPECT_EQ(judged.differ, c.differ);
    const std::size_t words_end = judged.explanation.find("): ");
    ASSERT_NE(words_end, std::string::npos) << judged.explanation;
    EXPECT_EQ(judged.explanation.substr(words_end + 3), c.compared);
  }
  diff_reset_options();
}

TEST(SlotRulesTest, TheFirstMatchingRuleWinsAndResetForgetsThem) {
  diff_reset_options();
  ASSERT_EQ(diff_set_value_rule(DIFF_VALUE_RULE_TOLERANT, 2.0), 1);
  ASSERT_EQ(diff_add_slot_rule("pump-*", "flow", U, 0.5, 0.1, CI, LU), 1);
  ASSERT_EQ(diff_add_slot_rule(nullptr, "f*", X, 0, 0, CE, LO), 1);
  EXPECT_EQ(explain("pump-1", "flow", "120 m3/h", "122 m3/h").explanation,
            "slot rule 1 pump-*:flow (units, relative 0.5 %, absolute 0.1, case ignore, lists "
            "unordered): 120 m3/h != 122 m3/h outside 0.5 % or 0.1 m3/h");
  EXPECT_EQ(explain("tank-1", "flow", "120 m3/h", "120.0 m3/h").explanation,
            "slot rule 2 *:f* (exact): texts differ");
  EXPECT_EQ(explain("tank-1", "level", "100-P-001", "101-P-001").explanation,
            "value rule (tolerant, tolerance 2 %): leading numbers 100 = 101 within 2 %");
  EXPECT_EQ(explain(nullptr, "flow", "1", "2").explanation,
            "value rule (tolerant, tolerance 2 %): leading numbers 1 != 2 outside 2 %");
  ASSERT_EQ(diff_reset_options(), 1);
  EXPECT_EQ(explain("pump-1", "flow", "120 m3/h", "120.0 m3/h").differ, 0);
}

TEST(SlotRulesTest, RefusesWhatItCannotTake) {
  struct Refused {
    const char* slot;
    int rule;
    double relative;
    double absolute;
    int text_case;
    int lists;
    const char* message;
  };
  const Refused refused[] = {
      {nullptr, X, 0, 0, CE, LO, "diff_add_slot_rule: the slot pattern is null"},
      {"s", 9, 0, 0, CE, LO, "diff_add_slot_rule: unknown value rule 9"},
      {"s", X, 100, 0, CE, LO,
       "diff_add_slot_rule: the relative tolerance must be at least 0 and below 100 percent"},
      {"s", X, NAN, 0, CE, LO,
       "diff_add_slot_rule: the relative tolerance must be at least 0 and below 100 percent"},
      {"s", X, 0, -1, CE, LO,
       "diff_add_slot_rule: the absolute tolerance must be a finite number, at least 0"},
      {"s", X, 0, INFINITY, CE, LO,
       "diff_add_slot_rule: the absolute tolerance must be a finite number, at least 0"},
      {"s", X, 0, 0, 2, LO, "diff_add_slot_rule: unknown case 2"},
      {"s", X, 0, 0, CE, 3, "diff_add_slot_rule: unknown list order 3"},
  };
  diff_reset_options();
  for (const Refused& r : refused) {
    EXPECT_EQ(diff_add_slot_rule("*", r.slot, r.rule, r.relative, r.absolute, r.text_case, r.lists),
              0);
    const char* message = nullptr;
    EXPECT_EQ(diff_last_error(&message), DIFF_ERROR_ARGUMENT);
    EXPECT_STREQ(message, r.message);
  }
  // Nothing was added: the run's rule judges every slot.
  EXPECT_EQ(explain("o", "s", "1", "1.5").explanation,
            "value rule (tolerant, tolerance 2 %): leading numbers 1 != 1.5 outside 2 %");
}

int record_event(void* events, const diff_event* event) {
  static const char* const kKinds[] = {"?", "A", "B", "a", "b", "v", "D", "S"};
  std::string line = kKinds[event->kind];
  for (const char* text : {event->object, event->slot, event->a_value, event->b_value}) {
    if (text != nullptr) line += std::string(" ") + text;
  }
  static_cast<std::string*>(events)->append(line + "\n");
  return 0;
}

TEST(SlotRulesTest, AFileComparisonFollowsThem) {
  TempDir dir;
  const std::string a = dir.file("a.odb");
  const std::string b = dir.file("b.odb");
  write_object_file(a, {{"pump-1",
                         {{"flow", "120 m3/h"},
                          {"material", "150-CS-001"},
                          {"feeders", "F1\nF2"},
                          {"head", "45 m"}}},
                        {"tank-1", {{"flow", "120 m3/h"}}}});
  write_object_file(b, {{"pump-1",
                         {{"flow", "33.3333 l/s"},
                          {"material", "150-SS-001"},
                          {"feeders", "F2\nF1"},
                          {"head", "45.5 m"}}},
                        {"tank-1", {{"flow", "33.3333 l/s"}}}});
  diff_reset_options();
  ASSERT_EQ(diff_set_value_rule(DIFF_VALUE_RULE_TOLERANT, 2.0), 1);
  ASSERT_EQ(diff_add_slot_rule("pump-*", "flow", U, 0.5, 0, CE, LO), 1);
  ASSERT_EQ(diff_add_slot_rule(nullptr, "material", X, 0, 0, CE, LO), 1);
  ASSERT_EQ(diff_add_slot_rule(nullptr, "feeders", X, 0, 0, CE, LS), 1);
  // With the ignore rules in force too, the comparison takes its other path.
  for (const bool with_ignore_rule : {false, true}) {
    if (with_ignore_rule) {
      ASSERT_EQ(diff_ignore_slot(nullptr, "unused"), 1);
    }
    std::string events;
    diff_set_event_observer(record_event, &events);
    ::testing::internal::CaptureStdout();
    const int result =
        diff_objfiles_ormo(a.c_str(), b.c_str(), dir.file("ad.odb").c_str(),
                           dir.file("bd.odb").c_str(), dir.file("cd.odb").c_str(), 0);
    ::testing::internal::GetCapturedStdout();
    diff_set_event_observer(nullptr, nullptr);
    EXPECT_EQ(result, 1);
    // The tank's flow falls to the tolerant rule, which reads 120 and 33.3333.
    EXPECT_EQ(events,
              "D pump-1\nv pump-1 material 150-CS-001 150-SS-001\n"
              "D tank-1\nv tank-1 flow 120 m3/h 33.3333 l/s\n");
    DiffTerminate();
  }
  diff_reset_options();
}

}  // namespace
}  // namespace diff::testing
