// Ignore rules and accepted differences as every result of a file
// comparison shows them: the difference databases, the progress lines, the
// events a host observes, the result, and the text and summary reports.
#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <fstream>   // std::ifstream
#include <iterator>  // std::istreambuf_iterator
#include <string>    // std::string
#include <vector>    // std::vector

#include "diff/diff.h"                   // the entry points
#include "tests/support/object_files.h"  // write_object_file, dump_database
#include "tests/support/temp_dir.h"      // TempDir

namespace diff::testing {
namespace {

std::string file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every event as one short line: kind letter, object, slot and values.
int record_event(void* events, const diff_event* event) {
  static const char* const kKinds[] = {"?", "A", "B", "a", "b", "v", "D", "S"};
  std::string line = kKinds[event->kind];
  for (const char* text : {event->object, event->slot, event->a_value, event->b_value}) {
    if (text != nullptr) line += std::string(" ") + text;
  }
  static_cast<std::string*>(events)->append(line + "\n");
  return 0;
}

struct Accepted {
  int kind;
  const char* object;
  const char* slot;
  const char* a_value;
  const char* b_value;
};

struct RulesCase {
  const char* name;
  std::vector<const char*> ignored_objects;
  std::vector<std::pair<const char*, const char*>> ignored_slots;
  std::vector<Accepted> accepted;
  int result;
  const char* printed;
  const char* events;
  const char* combined;
};

TEST(RulesInResultsTest, ComparisonRecordsAndEventsLeaveOutIgnoredAndAccepted) {
  TempDir dir;
  const std::string a = dir.file("a.odb");
  const std::string b = dir.file("b.odb");
  write_object_file(a, {{"pump", {{"tag", "100-P-001"}, {"modified", "mon"}, {"seal", "x"}}},
                        {"tmp-1", {{"x", "1"}}},
                        {"old", {{"q", "1"}}},
                        {"valve", {{"size", "DN50"}}}});
  write_object_file(b, {{"pump", {{"tag", "101-P-001"}, {"modified", "tue"}, {"rpm", "5"}}},
                        {"valve", {{"size", "DN50"}}},
                        {"new", {{"q", "1"}}}});
  const RulesCase cases[] = {
      {"no rule", {}, {}, {}, 1,
       "Processing Object old\nProcessing Object new\nProcessing Object pump\n"
       "Processing Object tmp-1\nProcessing Object valve\n",
       "A old\nB new\nD pump\nv pump modified mon tue\na pump seal x\nb pump rpm 5\n"
       "v pump tag 100-P-001 101-P-001\nA tmp-1\nS valve\n",
       nullptr},
      {"ignored", {"tmp-*", "new"}, {{"p*", "modified"}, {nullptr, "rpm"}, {"valve", "seal"}}, {},
       1, "Processing Object old\nProcessing Object pump\nProcessing Object valve\n",
       "A old\nD pump\na pump seal x\nv pump tag 100-P-001 101-P-001\nS valve\n", nullptr},
      {"everything ignored or accepted",
       {"tmp-*"},
       {{"pump", "modified"}},
       {{DIFF_OBJECT_ONLY_IN_A, "old", nullptr, nullptr, nullptr},
        {DIFF_OBJECT_ONLY_IN_B, "new", nullptr, nullptr, nullptr},
        {DIFF_SLOT_ONLY_IN_A, "pump", "seal", nullptr, nullptr},
        {DIFF_SLOT_ONLY_IN_B, "pump", "rpm", nullptr, nullptr},
        {DIFF_SLOT_VALUES_DIFFER, "pump", "tag", "100-P-001", "101-P-001"}},
       0, "Processing Object pump\nProcessing Object valve\n", "S pump\nS valve\n",
       "__Comon Objects Between Files A and B__\n  pump = \n  valve = \n"},
      {"only the exact difference is accepted",
       {"tmp-*", "old", "new"},
       {{"pump", "modified"}, {"pump", "seal"}, {"pump", "rpm"}},
       {{DIFF_SLOT_VALUES_DIFFER, "pump", "tag", "100-P-001", "102-P-001"},
        {DIFF_SLOT_ONLY_IN_A, "pump", "tag", nullptr, nullptr},
        {DIFF_OBJECT_ONLY_IN_B, "pump", nullptr, nullptr, nullptr}},
       1, "Processing Object pump\nProcessing Object valve\n",
       "D pump\nv pump tag 100-P-001 101-P-001\nS valve\n",
       "__Comon Objects Between Files A and B__\n  pump = \n  valve = \npump\n"
       "  A->tag = 100-P-001\n  B->tag = 101-P-001\n"},
  };
  for (const RulesCase& c : cases) {
    SCOPED_TRACE(c.name);
    diff_reset_options();
    diff_set_value_rule(DIFF_VALUE_RULE_EXACT, 0);
    for (const char* pattern : c.ignored_objects) ASSERT_EQ(diff_ignore_object(pattern), 1);
    for (const auto& [object, slot] : c.ignored_slots) ASSERT_EQ(diff_ignore_slot(object, slot), 1);
    for (const Accepted& d : c.accepted) {
      ASSERT_EQ(diff_accept_difference(d.kind, d.object, d.slot, d.a_value, d.b_value), 1);
    }
    std::string events;
    diff_set_event_observer(record_event, &events);
    const std::string combined = dir.file("combined.odb");
    ::testing::internal::CaptureStdout();
    const int result = diff_objfiles_ormo(a.c_str(), b.c_str(), dir.file("ad.odb").c_str(),
                                          dir.file("bd.odb").c_str(), combined.c_str(), 0);
    const std::string printed = ::testing::internal::GetCapturedStdout();
    diff_set_event_observer(nullptr, nullptr);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(printed, "\nComparing Object Files A: " + a + " and B: " + b + "\n" + c.printed);
    EXPECT_EQ(events, c.events);
    if (c.combined != nullptr) {
      EXPECT_EQ(dump_database(combined), c.combined);
    }
    DiffTerminate();
  }
  diff_reset_options();
}

int stop_at_first_event(void*, const diff_event*) { return 1; }

TEST(RulesInResultsTest, AnObserverThatAnswersNonZeroStopsTheComparison) {
  TempDir dir;
  const std::string a = dir.file("a.odb");
  write_object_file(a, {{"pump", {{"tag", "1"}}}});
  diff_reset_options();
  diff_set_event_observer(stop_at_first_event, nullptr);
  ::testing::internal::CaptureStdout();
  const int result = diff_objfiles_ormo(a.c_str(), a.c_str(), dir.file("ad.odb").c_str(),
                                        dir.file("bd.odb").c_str(), dir.file("cd.odb").c_str(), 0);
  ::testing::internal::GetCapturedStdout();
  const char* message = nullptr;
  EXPECT_EQ(result, 1);
  EXPECT_EQ(diff_last_error(&message), DIFF_ERROR_ARGUMENT);
  EXPECT_STREQ(message, "the host stopped the comparison");
  diff_set_event_observer(nullptr, nullptr);
  EXPECT_EQ(GenSumReport(dir.file("summary.txt").c_str()), 0);
  DiffTerminate();
}

TEST(RulesInResultsTest, TextReportsShowNoIgnoredOrAcceptedSlot) {
  TempDir dir;
  const std::string a = dir.file("a.odb");
  const std::string b = dir.file("b.odb");
  write_object_file(a, {{"pump", {{"tag", "1"}, {"modified", "mon"}, {"seal", "x"}}},
                        {"tank", {{"modified", "mon"}, {"level", "3"}}}});
  write_object_file(b, {{"pump", {{"tag", "2"}, {"modified", "tue"}}}});
  diff_reset_options();
  diff_ignore_slot(nullptr, "modified");
  diff_accept_difference(DIFF_SLOT_ONLY_IN_A, "pump", "seal", nullptr, nullptr);
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(diff_objfiles_ormo(a.c_str(), b.c_str(), dir.file("ad.odb").c_str(),
                               dir.file("bd.odb").c_str(), dir.file("cd.odb").c_str(), 0),
            1);
  EXPECT_EQ(GenTextReport(dir.file("report.txt").c_str()), 1);
  EXPECT_EQ(GenSumReport(dir.file("summary.txt").c_str()), 1);
  ::testing::internal::GetCapturedStdout();
  const std::string report = file_bytes(dir.file("report.txt"));
  const std::string header =
      std::string(129, '-') + " \n" +
      "Object Name                        Slot Name                A Value                  "
      "B Value                  Comments            \n" +
      std::string(34, '-') + " " + std::string(24, '-') + " " + std::string(24, '-') + " " +
      std::string(24, '-') + " " + std::string(19, '-') + " \n";
  auto row = [](std::string object, std::string slot, std::string a_value, std::string b_value,
                std::string comment) {
    object.resize(35, ' ');
    slot.resize(25, ' ');
    a_value.resize(25, ' ');
    b_value.resize(25, ' ');
    comment.resize(20, ' ');
    return object + slot + a_value + b_value + comment + "\n";
  };
  EXPECT_EQ(report, "A = " + a + "\nB = " + b + "\n\nObjects in A but not in B:\n" + header +
                        row("tank", "level", "3", " ", "Object In A Only") +
                        "\nObjects that differ between A and B:\n" + header +
                        row("pump", "tag", "1", "2", "Values differ"));
  EXPECT_EQ(file_bytes(dir.file("summary.txt")),
            "A = " + a + "\nB = " + b +
                "\n\nObjects in A but not in B:\n     tank\n\nObjects that differ between A and "
                "B:\n     pump\n");
  DiffTerminate();
  diff_reset_options();
}

}  // namespace
}  // namespace diff::testing
