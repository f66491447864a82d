#include "diff/report_html/object_report.h"

#include <cstdio>  // std::FILE

#include "diff/engine/slot_rules.h"            // KeptSlots
#include "diff/report_html/object_rows.h"       // write_object_rows
#include "diff/report_html/report_document.h"   // begin_document, finish_document
#include "diff/report_html/report_file.h"       // append_phase
#include "diff/report_html/report_path_check.h"  // refuse_report_path
#include "diff/report_html/section_instance.h"  // write_section_instance

namespace diff {
namespace report_html {

bool append_object_block(const ComparisonRules& rules, const char* report_path,
                         const ObjectHeading& heading, const SlotLists& lists, bool show_all) {
  // The object's ignored slots get no row.
  const engine::KeptSlots a(rules, heading.object_name, lists.a_slots, lists.a_values);
  const engine::KeptSlots b(rules, heading.object_name, lists.b_slots, lists.b_values);
  const SlotLists kept{a.names(), a.values(), b.names(), b.values()};
  return append_phase(report_path, [&](std::FILE* file) {
    write_section_instance(file, Section::kObjectStart,
                           {{"_OBJ_NAME_", heading.object_name},
                            {"_ATITLE_", heading.a_title},
                            {"_BTITLE_", heading.b_title}});
    write_object_rows(file, kept, show_all);
    write_section_instance(file, Section::kObjectEnd, {});
  });
}

}  // namespace report_html

int report_object_html(const ComparisonRules& rules, const char* object_name,
                       const char* a_title, const char* b_title, list2 a_slots,
                       list2 a_values, list2 b_slots, list2 b_values, const char* report_path,
                       const char* template_path, int show_all, int nested) {
  report_html::refuse_report_path(report_path, nested == 0 ? template_path : nullptr);
  if (nested == 0 && !report_html::begin_document(template_path, report_path)) return 0;
  if (!report_html::append_object_block(rules, report_path, {object_name, a_title, b_title},
                                        {a_slots, a_values, b_slots, b_values},
                                        show_all != 0)) {
    return 0;
  }
  if (nested == 0 && !report_html::finish_document(report_path)) return 0;
  return 1;
}

}  // namespace diff
