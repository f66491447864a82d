#include "diff/filediff/objfiles_compare.h"

#include <cstdio>  // std::printf
#include <new>     // std::bad_alloc

#include "diff/engine/object_compare.h"         // compare_objects
#include "diff/engine/strlist_compare.h"        // compare_strlists
#include "diff/filediff/comparison_context.h"   // diff_context_start, context_handle
#include "diff/filediff/difference_records.h"   // diff_record_*
#include "diff/filediff/marked_walk.h"          // walk_marked_names
#include "diff/options/accepted_differences.h"  // accepted_differences_set, difference_accepted
#include "diff/options/event_observer.h"        // notify_observer
#include "diff/options/ignore_rules.h"          // ignore_rules_set, object_ignored
#include "diff/outcome/call_outcome.h"          // fail, DIFF_ERROR_*
#include "diff/outcome/database_failure.h"      // list_objects
#include "diff/outcome/file_identity.h"         // refuse_output_naming_input

namespace diff {
namespace {

const char* text_or_empty(CStrList& list, int position) {
  const char* text = list.GetTextAt(position);
  return text != nullptr ? text : "";
}

// The five databases of a started context.
struct Databases {
  CvxODB& file_a;
  CvxODB& file_b;
  CvxODB& a_difference;
  CvxODB& b_difference;
  CvxODB& combined;
};

// Compares the slots of an object in both files and records each slot on one
// side only and each slot whose values differ. Returns 1 when they differ.
int diff_compare_common_object(const Databases& db, const char* object) {
  CStrList a_names, a_values, b_names, b_values;
  const int result = engine::compare_objects(&db.file_a, object, &db.file_b, object, &a_names,
                                             &a_values, &b_names, &b_values,
                                             /*objects_listed=*/true);
  notify_observer(result != 0 ? DIFF_OBJECT_DIFFERS : DIFF_OBJECT_SAME, object, nullptr, nullptr,
                  nullptr);
  walk_marked_names(
      a_names, b_names,
      [&](int i) {
        const char* slot = text_or_empty(a_names, i);
        const char* value = text_or_empty(a_values, i);
        diff_record_slot_only(db.a_difference, db.combined, object, slot, value, "A");
        notify_observer(DIFF_SLOT_ONLY_IN_A, object, slot, value, nullptr);
      },
      [&](int j) {
        const char* slot = text_or_empty(b_names, j);
        const char* value = text_or_empty(b_values, j);
        diff_record_slot_only(db.b_difference, db.combined, object, slot, value, "B");
        notify_observer(DIFF_SLOT_ONLY_IN_B, object, slot, nullptr, value);
      },
      [&](int i, int j) {
        std::int64_t value_status = 0;
        a_values.GetTextAt(i, &value_status);
        if (value_status == DIFF_STATUS_SAME) return;
        const char* slot = text_or_empty(a_names, i);
        const char* a_value = text_or_empty(a_values, i);
        const char* b_value = text_or_empty(b_values, j);
        diff_record_slot_values(db.a_difference, db.b_difference, db.combined, object, slot,
                                a_value, b_value);
        notify_observer(DIFF_SLOT_VALUES_DIFFER, object, slot, a_value, b_value);
      });
  return result;
}

// Leaves the objects that an ignore rule covers out of a file's object list.
void drop_ignored_objects(CStrList& objects) {
  CStrList kept;
  for (int i = 0; i < objects.GetLength(); ++i) {
    const char* name = text_or_empty(objects, i);
    if (!object_ignored(name) && kept.Append(name) == 0) throw std::bad_alloc();
  }
  objects = kept;
}

// Refuses arguments that would harm an input, before anything is opened:
// a null name, or a difference database that is an object file or another
// difference database under any name.
void check_names(const char* object_file_a, const char* object_file_b,
                 const char* a_difference_db, const char* b_difference_db,
                 const char* combined_difference_db) {
  const char* const names[] = {object_file_a, object_file_b, a_difference_db, b_difference_db,
                               combined_difference_db};
  for (const char* name : names) {
    if (name == nullptr || name[0] == '\0') {
      fail(DIFF_ERROR_ARGUMENT, "diff_objfiles_ormo: a file name is missing");
    }
  }
  const NamedInput file_a{"object file A", object_file_a};
  const NamedInput file_b{"object file B", object_file_b};
  const NamedInput a_difference{"the A difference database", a_difference_db};
  const NamedInput b_difference{"the B difference database", b_difference_db};
  refuse_output_naming_input(a_difference_db, {file_a, file_b});
  refuse_output_naming_input(b_difference_db, {file_a, file_b, a_difference});
  refuse_output_naming_input(combined_difference_db, {file_a, file_b, a_difference, b_difference});
}

// Compares the files of a started context; fails on the first read or
// write that fails.
bool compare_started_context(const char* object_file_a, const char* object_file_b) {
  CStrList a_objects, a_values, b_objects, b_values;
  CStrList a_sorted, a_sorted_values, b_sorted, b_sorted_values;
  const Databases db{*context_handle(ContextSlot::kObjectFileA),
                     *context_handle(ContextSlot::kObjectFileB),
                     *context_handle(ContextSlot::kADifferenceDb),
                     *context_handle(ContextSlot::kBDifferenceDb),
                     *context_handle(ContextSlot::kCombinedDifferenceDb)};
  list_objects(db.file_a, a_objects);
  list_objects(db.file_b, b_objects);
  if (ignore_rules_set()) {
    drop_ignored_objects(a_objects);
    drop_ignored_objects(b_objects);
  }
  const bool accepting = accepted_differences_set();
  std::printf("\nComparing Object Files A: %s and B: %s\n", object_file_a, object_file_b);

  engine::compare_strlists(&a_objects, &a_values, &b_objects, &b_values, &a_sorted,
                           &a_sorted_values, &b_sorted, &b_sorted_values);
  bool differ = false;
  walk_marked_names(
      a_sorted, b_sorted,
      [&](int i) {
        const char* name = text_or_empty(a_sorted, i);
        if (accepting && difference_accepted(DIFF_OBJECT_ONLY_IN_A, name, nullptr, nullptr,
                                             nullptr)) {
          return;
        }
        std::printf("Processing Object %s\n", name);
        differ = true;
        diff_record_only_in_a(db.combined, name);
        notify_observer(DIFF_OBJECT_ONLY_IN_A, name, nullptr, nullptr, nullptr);
      },
      [&](int j) {
        const char* name = text_or_empty(b_sorted, j);
        if (accepting && difference_accepted(DIFF_OBJECT_ONLY_IN_B, name, nullptr, nullptr,
                                             nullptr)) {
          return;
        }
        std::printf("Processing Object %s\n", name);
        differ = true;
        diff_record_only_in_b(db.combined, name);
        notify_observer(DIFF_OBJECT_ONLY_IN_B, name, nullptr, nullptr, nullptr);
      },
      [&](int i, int) {
        const char* name = text_or_empty(a_sorted, i);
        std::printf("Processing Object %s\n", name);
        diff_record_common(db.combined, name);
        if (diff_compare_common_object(db, name) != 0) differ = true;
      });
  return differ;
}

}  // namespace

int compare_object_files(const char* object_file_a, const char* object_file_b,
                         const char* a_difference_db, const char* b_difference_db,
                         const char* combined_difference_db, std::uint32_t user_instance) {
  check_names(object_file_a, object_file_b, a_difference_db, b_difference_db,
              combined_difference_db);
  bool differ = false;
  try {
    diff_context_start(object_file_a, object_file_b, a_difference_db, b_difference_db,
                       combined_difference_db, user_instance);
    differ = compare_started_context(object_file_a, object_file_b);
  } catch (...) {
    // Records with gaps must not read as a finished comparison.
    diff_context_abandon_comparison();
    throw;
  }
  diff_context_finish_comparison();
  return differ ? 1 : 0;
}

}  // namespace diff
