#include "diff/report_html/file_report.h"

#include <cstdio>            // std::FILE
#include <initializer_list>  // the loop over the three files
#include <string>            // std::string, the object list and a message

#include "diff/engine/owned_list2.h"             // OwnedList2
#include "diff/host/list_library.h"              // list2
#include "diff/host/loader_library.h"            // lo_load_list2_all_sorted
#include "diff/outcome/call_outcome.h"           // record_failure, DIFF_ERROR_READ
#include "diff/outcome/database_failure.h"       // open_failure_reason
#include "diff/report_html/loader_files.h"       // LoaderFiles
#include "diff/report_html/loader_read.h"        // loader_answer
#include "diff/report_html/marked_slot_lists.h"  // mark_slot_lists, shows_differences
#include "diff/report_html/object_report.h"      // append_object_block
#include "diff/report_html/report_document.h"    // begin_document, finish_document
#include "diff/report_html/report_file.h"        // append_phase
#include "diff/report_html/report_path_check.h"  // refuse_report_path
#include "diff/report_html/section_instance.h"   // write_section_instance
#include "diff/report_html/status_objects.h"     // status_object_list, for_each_listed_name

namespace diff {
namespace report_html {
namespace {

struct FileSources {
  const char* a_file;
  const char* b_file;
  const char* status_file;
};

// Appends the block of one object of the status file, unless it has nothing
// to show. False when the block could not be written.
bool report_status_object(const ComparisonRules& rules, const FileSources& files,
                          const char* object, const ObjectHeading& heading,
                          const char* report_path, bool show_all) {
  list2 loaded_names = nullptr;
  list2 loaded_texts = nullptr;
  const int loaded =
      lo_load_list2_all_sorted(files.status_file, object, &loaded_names, &loaded_texts);
  const OwnedList2 slot_names(loaded_names);
  const OwnedList2 status_texts(loaded_texts);
  loader_answer(files.status_file, loaded);
  if (!show_all && !shows_differences(status_texts.get())) return true;
  const MarkedSlotLists lists = mark_slot_lists(files.a_file, files.b_file, object,
                                                slot_names.get(), status_texts.get());
  return append_object_block(rules, report_path, heading, lists.view(), show_all);
}

}  // namespace

FileReportOutcome write_file_report(const ComparisonRules& rules, const char* a_file,
                                    const char* b_file, const char* status_file,
                                    const char* a_file_label,
                                    const char* b_file_label, const char* a_title,
                                    const char* b_title, const char* report_path,
                                    const char* template_path, bool show_all, bool nested,
                                    const char** unopened_file) {
  LoaderFiles opened;
  for (const char* file : {a_file, b_file, status_file}) {
    if (!opened.open(file)) {
      if (unopened_file != nullptr) *unopened_file = file;
      return FileReportOutcome::kFilesNotOpened;
    }
  }
  if (!nested && !begin_document(template_path, report_path)) return FileReportOutcome::kFailed;
  const bool started = append_phase(report_path, [&](std::FILE* file) {
    write_section_instance(file, Section::kFileStart,
                           {{"_AFILE_", a_file_label}, {"_BFILE_", b_file_label}});
  });
  if (!started) return FileReportOutcome::kFailed;

  // A block that cannot be written does not stop the others; the report
  // still fails in the end.
  bool blocks_written = true;
  const FileSources files{a_file, b_file, status_file};
  const std::string objects = status_object_list(status_file);
  const bool ignoring = rules.ignore_rules().any();
  for_each_listed_name(objects, [&](const char* object) {
    if (ignoring && rules.object_ignored(object)) return;
    if (!report_status_object(rules, files, object, {object, a_title, b_title}, report_path,
                              show_all)) {
      blocks_written = false;
    }
  });

  const bool ended = append_phase(report_path, [](std::FILE* file) {
    write_section_instance(file, Section::kFileEnd, {});
  });
  if (!ended || (!nested && !finish_document(report_path))) return FileReportOutcome::kFailed;
  return blocks_written ? FileReportOutcome::kWritten : FileReportOutcome::kFailed;
}

}  // namespace report_html

int report_file_html(const ComparisonRules& rules, const char* a_file, const char* b_file,
                     const char* status_file, const char* a_file_label,
                     const char* b_file_label, const char* a_title, const char* b_title,
                     const char* report_path, const char* template_path, int show_all,
                     int nested) {
  report_html::refuse_report_path(report_path, nested == 0 ? template_path : nullptr,
                                  {{"file A", a_file},
                                   {"file B", b_file},
                                   {"the status file", status_file}});
  const char* unopened = nullptr;
  const report_html::FileReportOutcome outcome = report_html::write_file_report(
      rules, a_file, b_file, status_file, a_file_label, b_file_label, a_title, b_title,
      report_path, template_path, show_all != 0, nested != 0, &unopened);
  if (outcome == report_html::FileReportOutcome::kFilesNotOpened) {
    const char* name = unopened != nullptr ? unopened : "";
    record_failure(DIFF_ERROR_READ, std::string(name) + ": " + open_failure_reason(name));
  }
  return outcome == report_html::FileReportOutcome::kWritten ? 1 : 0;
}

}  // namespace diff
