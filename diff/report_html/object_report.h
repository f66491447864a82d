// diff_ReportObjectHTML: the HTML block of one object.
#ifndef DIFF_REPORT_HTML_OBJECT_REPORT_H_
#define DIFF_REPORT_HTML_OBJECT_REPORT_H_

#include "diff/host/list_library.h"       // list2
#include "diff/options/comparison_rules.h"  // ComparisonRules
#include "diff/report_html/slot_lists.h"  // SlotLists

namespace diff {

// Writes the block of one object into the HTML report at `report_path`: the
// object start section ("_OBJ_NAME_", "_ATITLE_", "_BTITLE_"), the rows of
// the four marked lists (see write_object_rows) and the object end section,
// in one opening of the file for appending. Unless `nested` is set, loads
// the template from `template_path` and starts the report file first, and
// finishes it after. Null texts count as empty. Returns 1 when written; 0
// when the template cannot be loaded (the report file is then untouched), or
// when the report file cannot be started, opened or written; the failure is
// recorded (a null report path as DIFF_ERROR_ARGUMENT). Fails (throws
// Failure) with DIFF_ERROR_ARGUMENT, touching nothing, for a report path
// that names the template (given or loaded last) or a file of the
// comparison context. The slots that `rules` ignore get no row.
int report_object_html(const ComparisonRules& rules, const char* object_name,
                       const char* a_title, const char* b_title, list2 a_slots,
                       list2 a_values, list2 b_slots, list2 b_values, const char* report_path,
                       const char* template_path, int show_all, int nested);

namespace report_html {

// The texts of an object block's start section.
struct ObjectHeading {
  const char* object_name;
  const char* a_title;
  const char* b_title;
};

// Appends the object's block to the report file: one phase of writing.
// False when the file cannot be opened or written.
bool append_object_block(const ComparisonRules& rules, const char* report_path,
                         const ObjectHeading& heading, const SlotLists& lists, bool show_all);

}  // namespace report_html
}  // namespace diff

#endif  // DIFF_REPORT_HTML_OBJECT_REPORT_H_
