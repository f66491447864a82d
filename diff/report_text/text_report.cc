#include "diff/report_text/text_report.h"

#include <atomic>       // std::atomic<bool>, the stop of the later sections
#include <cstdio>       // std::printf, std::fputs, std::FILE
#include <optional>     // std::optional, the sections written ahead
#include <string>       // std::string
#include <string_view>  // std::string_view
#include <vector>       // std::vector

#include "diff/diff.h"                           // DIFF_SLOT_ONLY_IN_A, DIFF_SLOT_ONLY_IN_B
#include "diff/engine/slot_rules.h"             // engine::drop_ignored_slots
#include "diff/host/list_library.h"             // CStrList
#include "diff/outcome/call_outcome.h"          // fail, Failure, DIFF_ERROR_ARGUMENT
#include "diff/outcome/database_failure.h"      // read_answer
#include "diff/report_text/report_context.h"    // open_report_databases, write_object_file_names
#include "diff/report_text/report_file.h"       // OutputFile, write_line
#include "diff/report_text/report_table.h"      // write_table_header, write_table_row
#include "diff/report_text/section_objects.h"   // the objects of each section
#include "diff/report_text/slot_value_text.h"   // fetch_value_text
#include "diff/report_text/written_ahead.h"     // WrittenAhead

namespace diff {
namespace {

using report_text::ReportDatabases;
using report_text::TableRow;
using report_text::WrittenAhead;
using report_text::fetch_value_text;
using report_text::write_line;
using report_text::write_table_row;

constexpr std::string_view kSlotValueTooLong = "** Slot value too long **";
constexpr std::string_view kValueATooLarge = "** Value A too large **";
constexpr std::string_view kValueBTooLarge = "Value B too large **";

// The text of the later sections that may wait in memory for the identical
// objects to be written: a million objects of which one in fifty differs
// make about 25 MB.
constexpr std::size_t kHeldAheadLimit = std::size_t{64} << 20;

void start_section(std::FILE* file, std::string_view heading) {
  write_line(file, "");
  write_line(file, heading);
  report_text::write_table_header(file);
}

void write_identical_objects(std::FILE* file, const ReportDatabases& databases) {
  CStrList common;
  const std::vector<const char*> objects = report_text::identical_objects(databases, common);
  if (objects.empty()) return;
  start_section(file, "Objects identical in A and B:");
  for (const char* object : objects) {
    write_table_row(file, {object, "", "", "", "Identical Objects"});
  }
}

enum class Side { kA, kB };

// Leaves out of an object's slot names those that an ignore rule covers.
void drop_ignored_slots(const ComparisonRules& rules, const std::string& object,
                        CStrList& slots) {
  CStrList no_values;
  engine::drop_ignored_slots(rules, object.c_str(), slots, no_values);
}

// A slot on one side only that a person has accepted counts as absent.
bool accepted_one_sided(const ComparisonRules& rules, int kind, const std::string& object,
                        const char* slot) {
  return rules.accepts_differences() &&
         rules.difference_accepted(kind, object.c_str(), slot, nullptr, nullptr);
}

// Section of the objects only in one file: every slot of each, with its value
// on that file's side.
void write_one_sided_objects(std::FILE* file, const ReportDatabases& databases,
                             const ComparisonRules& rules,
                             const std::vector<std::string>& objects, Side side,
                             const std::atomic<bool>& stopping) {
  if (objects.empty()) return;
  const bool a = side == Side::kA;
  start_section(file, a ? "Objects in A but not in B:" : "Objects in B but not in A:");
  CvxODB& object_file = a ? databases.object_file_a : databases.object_file_b;
  const std::string_view comment = a ? "Object In A Only" : "Object In B Only";
  for (const std::string& object : objects) {
    if (stopping) return;
    CStrList slots;
    // An object that is not there has no slot: no row.
    read_answer(object_file, object_file.GetSlots(object.c_str(), &slots, 0));
    drop_ignored_slots(rules, object, slots);
    for (int i = 0; i < slots.GetLength(); ++i) {
      const char* slot = slots.GetTextAt(i);
      const std::string value =
          fetch_value_text(object_file, object.c_str(), slot, kSlotValueTooLong);
      write_table_row(file, a ? TableRow{object, slot, value, " ", comment}
                              : TableRow{object, slot, " ", value, comment});
    }
  }
}

// Lines for standard output, in order.
using SaidLines = std::vector<std::string>;

// Every slot of one differing object: the slots of A in A's order, each
// matched with B's slot of the same name, then the slots only in B.
void write_differing_object(std::FILE* file, const ReportDatabases& databases,
                            const ComparisonRules& rules, const std::string& object,
                            SaidLines& said) {
  CvxODB& file_a = databases.object_file_a;
  CvxODB& file_b = databases.object_file_b;
  const char* name = object.c_str();
  if (!read_answer(file_b, file_b.ObjectExists(name))) {
    said.push_back("Error: missing object " + object + " in B.\n");
    return;
  }
  CStrList a_slots;
  CStrList b_slots;  // loses each slot that A also has, leaving those only in B
  read_answer(file_a, file_a.GetSlots(name, &a_slots, 0));
  read_answer(file_b, file_b.GetSlots(name, &b_slots, 0));
  drop_ignored_slots(rules, object, a_slots);
  drop_ignored_slots(rules, object, b_slots);
  for (int i = 0; i < a_slots.GetLength(); ++i) {
    const char* slot = a_slots.GetTextAt(i);
    const std::string a_value = fetch_value_text(file_a, name, slot, kValueATooLarge);
    if (!b_slots.IsMember(slot)) {
      if (accepted_one_sided(rules, DIFF_SLOT_ONLY_IN_A, object, slot)) continue;
      write_table_row(file, {object, slot, a_value, "", "Only in A"});
      continue;
    }
    b_slots.Remove(b_slots.Find(slot));
    const std::string b_value = fetch_value_text(file_b, name, slot, kValueBTooLarge);
    write_table_row(file, {object, slot, a_value, b_value,
                           a_value == b_value ? "Values equal" : "Values differ"});
  }
  for (int i = 0; i < b_slots.GetLength(); ++i) {
    const char* slot = b_slots.GetTextAt(i);
    if (accepted_one_sided(rules, DIFF_SLOT_ONLY_IN_B, object, slot)) continue;
    const std::string b_value = fetch_value_text(file_b, name, slot, kValueBTooLarge);
    write_table_row(file, {object, slot, " ", b_value, "Only in B"});
  }
}

// The objects of the sections after the identical objects, which read the
// object files only.
struct LaterObjects {
  std::vector<std::string> only_in_a;
  std::vector<std::string> only_in_b;
  std::vector<std::string> differing;

  bool empty() const { return only_in_a.empty() && only_in_b.empty() && differing.empty(); }
};

LaterObjects later_objects(const ReportDatabases& databases) {
  return {report_text::objects_only_in_a(databases), report_text::objects_only_in_b(databases),
          report_text::differing_objects(databases)};
}

void write_later_sections(std::FILE* file, const ReportDatabases& databases,
                          const ComparisonRules& rules, const LaterObjects& objects,
                          SaidLines& said, const std::atomic<bool>& stopping) {
  write_one_sided_objects(file, databases, rules, objects.only_in_a, Side::kA, stopping);
  write_one_sided_objects(file, databases, rules, objects.only_in_b, Side::kB, stopping);
  if (objects.differing.empty()) return;
  start_section(file, "Objects that differ between A and B:");
  for (const std::string& object : objects.differing) {
    if (stopping) return;
    write_differing_object(file, databases, rules, object, said);
  }
}

void print_said(const SaidLines& said) {
  for (const std::string& line : said) std::fputs(line.c_str(), stdout);
}

// Writes the later sections after what `file` holds, written ahead when
// `ahead` started; prints what they say, also when they fail.
void finish_later_sections(std::FILE* file, const ReportDatabases& databases,
                           const ComparisonRules& rules, const LaterObjects& objects,
                           SaidLines& said, WrittenAhead* ahead) {
  try {
    if (ahead != nullptr) {
      ahead->hand_over(file);
    } else {
      const std::atomic<bool> never{false};
      write_later_sections(file, databases, rules, objects, said, never);
    }
  } catch (...) {
    print_said(said);
    throw;
  }
  print_said(said);
}

}  // namespace

int generate_text_report(const ComparisonRules& rules, const char* report_path) {
  if (report_path == nullptr) {
    fail(DIFF_ERROR_ARGUMENT, "GenTextReport: the report path is missing");
  }
  report_text::require_finished_comparison();
  report_text::refuse_context_file(report_path);
  const ReportDatabases databases = report_text::open_report_databases();
  report_text::OutputFile report(report_path);
  std::printf("Generating output report file.\n");

  std::FILE* file = report.stream();
  report_text::write_object_file_names(file, databases);
  // The later sections are written ahead, on a thread that reads only the
  // object files, while this one reads the difference databases for the
  // identical objects. Should listing their objects fail here, they are
  // written in turn and meet that failure in order.
  LaterObjects later;
  bool listed = false;
  try {
    later = later_objects(databases);
    listed = true;
  } catch (const Failure&) {
  }
  SaidLines said;
  std::optional<WrittenAhead> ahead;
  if (listed && !later.empty()) {
    ahead.emplace(
        [&](std::FILE* ahead_file, const std::atomic<bool>& stopping) {
          write_later_sections(ahead_file, databases, rules, later, said, stopping);
        },
        kHeldAheadLimit);
  }
  write_identical_objects(file, databases);
  if (!listed) later = later_objects(databases);
  finish_later_sections(file, databases, rules, later, said,
                        ahead && ahead->started() ? &*ahead : nullptr);
  report.commit();
  return 1;
}

}  // namespace diff
