// The exports table: every entry point of the module, each forwarding to its
// subsystem through guarded, which resets the thread's outcome, records a
// failure for diff_last_error and keeps every exception inside. A comparison
// that cannot finish reports "differ" (1), since it could not show the sides
// are equal. The comparison rules that the option entry points set are held
// here and handed by reference to the comparisons and reports.
#include <cstdio>  // EOF
#include <string>  // std::string, the explanation of diff_explain_values

#include "diff/diff.h"                            // the declarations of the entry points
#include "diff/engine/list2_compare.h"            // compare_list2
#include "diff/engine/object_compare.h"           // compare_objects
#include "diff/engine/object_list2_compare.h"     // compare_object_list2
#include "diff/engine/strlist_compare.h"          // compare_strlists
#include "diff/filediff/comparison_context.h"     // diff_context_delete_difference_dbs, ..._terminate
#include "diff/filediff/objfiles_compare.h"       // compare_object_files
#include "diff/options/comparison_rules.h"        // ComparisonRules
#include "diff/options/event_observer.h"          // set_event_observer
#include "diff/outcome/call_outcome.h"            // guarded, reset_outcome, last_outcome
#include "diff/report_html/file_report.h"         // report_file_html
#include "diff/report_html/object_report.h"       // report_object_html
#include "diff/report_html/project_report.h"      // report_project_html
#include "diff/report_html/report_document.h"     // start_html_file, end_html_file
#include "diff/report_html/template_loader.h"     // load_html_template
#include "diff/report_text/object_text_file.h"    // write_object_text_file
#include "diff/report_text/summary_report.h"      // generate_summary_report
#include "diff/report_text/text_report.h"         // generate_text_report

namespace {

constexpr int kComparisonFailed = 1;
constexpr int kReportFailed = 0;

using diff::guarded;

// The rules in force, held for the process (see "Threads" in diff.h): set by
// the option entry points, read by no other code than the entry points here.
diff::ComparisonRules& rules_in_force() {
  static diff::ComparisonRules rules;
  return rules;
}

}  // namespace

DIFF_API int diff_list2(list2 a_names, list2 a_values, list2 b_names, list2 b_values,
                        list2* a_sorted_names, list2* a_sorted_values, list2* b_sorted_names,
                        list2* b_sorted_values) {
  return guarded(kComparisonFailed, [&] {
    return diff::engine::compare_list2(rules_in_force().value_rule(), a_names, a_values, b_names,
                                       b_values, a_sorted_names, a_sorted_values, b_sorted_names,
                                       b_sorted_values);
  });
}

DIFF_API int diff_list2_ormo(CStrList* a_names, CStrList* a_values, CStrList* b_names,
                             CStrList* b_values, CStrList* a_sorted_names,
                             CStrList* a_sorted_values, CStrList* b_sorted_names,
                             CStrList* b_sorted_values) {
  return guarded(kComparisonFailed, [&] {
    return diff::engine::compare_strlists(rules_in_force().value_rule(), a_names, a_values,
                                          b_names, b_values, a_sorted_names, a_sorted_values,
                                          b_sorted_names, b_sorted_values);
  });
}

DIFF_API int diff_objects_ormo(CvxODB* a_database, const char* a_object, CvxODB* b_database,
                               const char* b_object, CStrList* a_sorted_names,
                               CStrList* a_sorted_values, CStrList* b_sorted_names,
                               CStrList* b_sorted_values) {
  return guarded(kComparisonFailed, [&] {
    return diff::engine::compare_objects(rules_in_force(), a_database, a_object, b_database,
                                         b_object, a_sorted_names, a_sorted_values,
                                         b_sorted_names, b_sorted_values);
  });
}

DIFF_API int diff_set_value_rule(int rule, double tolerance_percent) {
  return guarded(0, [&] {
    rules_in_force().set_value_rule(rule, tolerance_percent);
    return 1;
  });
}

DIFF_API int diff_get_value_rule(double* tolerance_percent) {
  return guarded(DIFF_VALUE_RULE_TOLERANT,
                 [&] { return rules_in_force().value_rule_code(tolerance_percent); });
}

DIFF_API int diff_reset_options(void) {
  return guarded(1, [] {
    rules_in_force() = diff::ComparisonRules{};
    return 1;
  });
}

DIFF_API int diff_add_slot_rule(const char* object_pattern, const char* slot_pattern, int rule,
                                double relative_percent, double absolute, int text_case,
                                int lists) {
  return guarded(0, [&] {
    rules_in_force().slot_rules().add(object_pattern, slot_pattern, rule, relative_percent,
                                      absolute, text_case, lists);
    return 1;
  });
}

DIFF_API int diff_explain_values(const char* object, const char* slot, const char* a_value,
                                 const char* b_value, const char** explanation) {
  thread_local std::string last;
  return guarded(0, [&] {
    const int differ = rules_in_force().explain_values(object, slot, a_value, b_value, last);
    if (explanation != nullptr) *explanation = last.c_str();
    return differ;
  });
}

DIFF_API int diff_ignore_object(const char* object_pattern) {
  return guarded(0, [&] {
    rules_in_force().ignore_rules().add_object(object_pattern);
    return 1;
  });
}

DIFF_API int diff_ignore_slot(const char* object_pattern, const char* slot_pattern) {
  return guarded(0, [&] {
    rules_in_force().ignore_rules().add_slot(object_pattern, slot_pattern);
    return 1;
  });
}

DIFF_API int diff_is_ignored(const char* object, const char* slot) {
  return guarded(0, [&] { return rules_in_force().ignore_rules().covers(object, slot) ? 1 : 0; });
}

DIFF_API int diff_accept_difference(int kind, const char* object, const char* slot,
                                    const char* a_value, const char* b_value) {
  return guarded(0, [&] {
    rules_in_force().accepted_differences().accept(kind, object, slot, a_value, b_value);
    return 1;
  });
}

DIFF_API int diff_clear_accepted(void) {
  return guarded(1, [] {
    rules_in_force().accepted_differences().clear();
    return 1;
  });
}

DIFF_API int diff_is_accepted(int kind, const char* object, const char* slot,
                              const char* a_value, const char* b_value) {
  return guarded(0, [&] {
    const diff::AcceptedDifferences& accepted = rules_in_force().accepted_differences();
    return accepted.contains_checked(kind, object, slot, a_value, b_value) ? 1 : 0;
  });
}

DIFF_API int diff_set_event_observer(diff_event_observer observer, void* user_data) {
  return guarded(1, [&] { return diff::set_event_observer(observer, user_data); });
}

DIFF_API int diff_object_list2(const char* object, list2 a_names, list2 a_values, list2 b_names,
                               list2 b_values, list2* a_sorted_names, list2* a_sorted_values,
                               list2* b_sorted_names, list2* b_sorted_values) {
  return guarded(kComparisonFailed, [&] {
    if (object == nullptr) diff::fail(DIFF_ERROR_ARGUMENT, "diff_object_list2: the object is null");
    return diff::engine::compare_object_list2(rules_in_force(), object, a_names, a_values,
                                              b_names, b_values, a_sorted_names, a_sorted_values,
                                              b_sorted_names, b_sorted_values);
  });
}

DIFF_API int diff_objfiles_ormo(const char* object_file_a, const char* object_file_b,
                                const char* a_difference_db, const char* b_difference_db,
                                const char* combined_difference_db, std::uint32_t user_instance) {
  return guarded(kComparisonFailed, [&] {
    return diff::compare_object_files(rules_in_force(), object_file_a, object_file_b,
                                      a_difference_db, b_difference_db, combined_difference_db,
                                      user_instance);
  });
}

DIFF_API int DeleteDiffObjs(void) {
  return guarded(0, [] { return diff::diff_context_delete_difference_dbs(); });
}

DIFF_API int DiffTerminate(void) {
  return guarded(1, [] { return diff::diff_context_terminate(); });
}

DIFF_API int diff_strpair(void) {
  diff::reset_outcome();
  return 0;
}

DIFF_API int diff_last_error(const char** message) { return diff::last_outcome(message); }

DIFF_API int GenTextReport(const char* report_path) {
  return guarded(kReportFailed,
                 [&] { return diff::generate_text_report(rules_in_force(), report_path); });
}

DIFF_API int GenSumReport(const char* report_path) {
  return guarded(kReportFailed, [&] { return diff::generate_summary_report(report_path); });
}

DIFF_API int diff_object_WriteTextFile(list2 a_slots, list2 a_values, list2 b_slots,
                                       list2 b_values, const char* report_path) {
  return guarded(EOF, [&] {
    return diff::write_object_text_file(a_slots, a_values, b_slots, b_values, report_path);
  });
}

DIFF_API int diff_getObjectTemplate(const char* template_path) {
  return guarded(kReportFailed, [&] { return diff::load_html_template(template_path); });
}

DIFF_API int diff_start_HTML_file(const char* report_path) {
  return guarded(EOF, [&] { return diff::start_html_file(report_path); });
}

DIFF_API int diff_end_HTML_file(const char* report_path) {
  return guarded(EOF, [&] { return diff::end_html_file(report_path); });
}

DIFF_API int diff_ReportObjectHTML(const char* object_name, const char* a_title,
                                   const char* b_title, list2 a_slots, list2 a_values,
                                   list2 b_slots, list2 b_values, const char* report_path,
                                   const char* template_path, int show_all, int nested) {
  return guarded(kReportFailed, [&] {
    return diff::report_object_html(rules_in_force(), object_name, a_title, b_title, a_slots,
                                    a_values, b_slots, b_values, report_path, template_path,
                                    show_all, nested);
  });
}

DIFF_API int diff_ReportFileHTML(const char* a_file, const char* b_file, const char* status_file,
                                 const char* a_file_label, const char* b_file_label,
                                 const char* a_title, const char* b_title,
                                 const char* report_path, const char* template_path,
                                 int show_all, int nested) {
  return guarded(kReportFailed, [&] {
    return diff::report_file_html(rules_in_force(), a_file, b_file, status_file, a_file_label,
                                  b_file_label, a_title, b_title, report_path, template_path,
                                  show_all, nested);
  });
}

DIFF_API int diff_ReportProjectHTML(list2 file_labels, list2 a_numbers, list2 b_numbers,
                                    list2 status_names, const char* a_prefix,
                                    const char* b_prefix, const char* a_project,
                                    const char* b_project, const char* a_title,
                                    const char* b_title, const char* status_prefix,
                                    const char* report_path, const char* template_path,
                                    int show_all, int nested) {
  return guarded(kReportFailed, [&] {
    return diff::report_project_html(rules_in_force(), file_labels, a_numbers, b_numbers,
                                     status_names, a_prefix, b_prefix, a_project, b_project,
                                     a_title, b_title, status_prefix, report_path, template_path,
                                     show_all, nested);
  });
}
