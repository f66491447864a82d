#include "diff/filediff/objfiles_compare.h"

#include <cstdint>  // std::int64_t, the status codes
#include <cstdio>   // std::printf
#include <new>      // std::bad_alloc
#include <vector>   // std::vector, the sorted sides read

#include "diff/engine/keyed_marking.h"          // status_code
#include "diff/engine/object_compare.h"         // compare_objects, compare_listed_objects_sorted
#include "diff/engine/strlist_compare.h"        // compare_strlists
#include "diff/filediff/comparison_context.h"   // diff_context_start, context_handle
#include "diff/filediff/difference_records.h"   // diff_record_*
#include "diff/filediff/marked_walk.h"          // walk_marks, walk_marked_names, status_at
#include "diff/options/event_observer.h"        // notify_observer
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

// The sorted sides of one object's comparison in the four sorted lists that
// compare_objects fills, their data words holding the status codes.
struct ListedSides {
  CStrList& a_names;
  CStrList& a_values;
  CStrList& b_names;
  CStrList& b_values;

  int a_count() const { return a_names.GetLength(); }
  int b_count() const { return b_names.GetLength(); }
  std::int64_t a_status(int i) const { return status_at(a_names, i); }
  std::int64_t b_status(int j) const { return status_at(b_names, j); }
  std::int64_t a_value_status(int i) const { return status_at(a_values, i); }
  const char* a_name(int i) const { return text_or_empty(a_names, i); }
  const char* a_value(int i) const { return text_or_empty(a_values, i); }
  const char* b_name(int j) const { return text_or_empty(b_names, j); }
  const char* b_value(int j) const { return text_or_empty(b_values, j); }
};

// The same sides as texts of the loaded lists, each with its mark; a position
// past the end reads as an item past the end of a list does.
struct ViewedSides {
  const engine::SortedSides& sides;

  int a_count() const { return static_cast<int>(sides.a_names.size()); }
  int b_count() const { return static_cast<int>(sides.b_names.size()); }
  static std::int64_t status(const std::vector<engine::Mark>& marks, int position) {
    const auto at = static_cast<std::size_t>(position);
    return at < marks.size() ? engine::status_code(marks[at]) : 0;
  }
  static const char* text(const std::vector<const char*>& texts, int position) {
    const auto at = static_cast<std::size_t>(position);
    return at < texts.size() ? texts[at] : "";
  }
  std::int64_t a_status(int i) const { return status(sides.a_name_marks, i); }
  std::int64_t b_status(int j) const { return status(sides.b_name_marks, j); }
  std::int64_t a_value_status(int i) const { return status(sides.a_value_marks, i); }
  const char* a_name(int i) const { return text(sides.a_names, i); }
  const char* a_value(int i) const { return text(sides.a_values, i); }
  const char* b_name(int j) const { return text(sides.b_names, j); }
  const char* b_value(int j) const { return text(sides.b_values, j); }
};

// Records each slot of `object` on one side only and each slot whose values
// differ, walking the sorted sides of its comparison.
template <typename Sides>
void record_slot_differences(const Databases& db, const char* object, const Sides& sides) {
  walk_marks(
      sides.a_count(), sides.b_count(), [&](int i) { return sides.a_status(i); },
      [&](int j) { return sides.b_status(j); },
      [&](int i) {
        const char* slot = sides.a_name(i);
        const char* value = sides.a_value(i);
        diff_record_slot_only(db.a_difference, db.combined, object, slot, value, "A");
        notify_observer(DIFF_SLOT_ONLY_IN_A, object, slot, value, nullptr);
      },
      [&](int j) {
        const char* slot = sides.b_name(j);
        const char* value = sides.b_value(j);
        diff_record_slot_only(db.b_difference, db.combined, object, slot, value, "B");
        notify_observer(DIFF_SLOT_ONLY_IN_B, object, slot, nullptr, value);
      },
      [&](int i, int j) {
        if (sides.a_value_status(i) == DIFF_STATUS_SAME) return;
        const char* slot = sides.a_name(i);
        const char* a_value = sides.a_value(i);
        const char* b_value = sides.b_value(j);
        diff_record_slot_values(db.a_difference, db.b_difference, db.combined, object, slot,
                                a_value, b_value);
        notify_observer(DIFF_SLOT_VALUES_DIFFER, object, slot, a_value, b_value);
      });
}

// Compares the slots of an object in both files and records each slot on one
// side only and each slot whose values differ. Returns 1 when they differ.
// Without slot rules the sorted sides are read where the slots were loaded
// (`sides` is the caller's, reused from object to object); with rules, from
// the sorted lists that compare_objects fills.
int diff_compare_common_object(const ComparisonRules& rules, const Databases& db,
                               const char* object, engine::SortedSides& sides) {
  engine::LoadedSlots loaded;
  if (engine::compare_listed_objects_sorted(rules, db.file_a, db.file_b, object, loaded,
                                            sides)) {
    notify_observer(sides.differ ? DIFF_OBJECT_DIFFERS : DIFF_OBJECT_SAME, object, nullptr,
                    nullptr, nullptr);
    record_slot_differences(db, object, ViewedSides{sides});
    return sides.differ ? 1 : 0;
  }
  CStrList a_names, a_values, b_names, b_values;
  const int result = engine::compare_objects(rules, &db.file_a, object, &db.file_b, object,
                                             &a_names, &a_values, &b_names, &b_values,
                                             /*objects_listed=*/true);
  notify_observer(result != 0 ? DIFF_OBJECT_DIFFERS : DIFF_OBJECT_SAME, object, nullptr, nullptr,
                  nullptr);
  record_slot_differences(db, object, ListedSides{a_names, a_values, b_names, b_values});
  return result;
}

// Leaves the objects that an ignore rule covers out of a file's object list.
void drop_ignored_objects(const ComparisonRules& rules, CStrList& objects) {
  CStrList kept;
  for (int i = 0; i < objects.GetLength(); ++i) {
    const char* name = text_or_empty(objects, i);
    if (!rules.object_ignored(name) && kept.Append(name) == 0) throw std::bad_alloc();
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
bool compare_started_context(const ComparisonRules& rules, const char* object_file_a,
                             const char* object_file_b) {
  CStrList a_objects, a_values, b_objects, b_values;
  CStrList a_sorted, a_sorted_values, b_sorted, b_sorted_values;
  const Databases db{*context_handle(ContextSlot::kObjectFileA),
                     *context_handle(ContextSlot::kObjectFileB),
                     *context_handle(ContextSlot::kADifferenceDb),
                     *context_handle(ContextSlot::kBDifferenceDb),
                     *context_handle(ContextSlot::kCombinedDifferenceDb)};
  list_objects(db.file_a, a_objects);
  list_objects(db.file_b, b_objects);
  if (rules.ignore_rules().any()) {
    drop_ignored_objects(rules, a_objects);
    drop_ignored_objects(rules, b_objects);
  }
  const bool accepting = rules.accepts_differences();
  engine::SortedSides sides;  // of each common object in turn
  std::printf("\nComparing Object Files A: %s and B: %s\n", object_file_a, object_file_b);

  engine::compare_strlists(rules.value_rule(), &a_objects, &a_values, &b_objects, &b_values,
                           &a_sorted, &a_sorted_values, &b_sorted, &b_sorted_values);
  bool differ = false;
  walk_marked_names(
      a_sorted, b_sorted,
      [&](int i) {
        const char* name = text_or_empty(a_sorted, i);
        if (accepting && rules.difference_accepted(DIFF_OBJECT_ONLY_IN_A, name, nullptr, nullptr,
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
        if (accepting && rules.difference_accepted(DIFF_OBJECT_ONLY_IN_B, name, nullptr, nullptr,
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
        if (diff_compare_common_object(rules, db, name, sides) != 0) differ = true;
      });
  return differ;
}

}  // namespace

int compare_object_files(const ComparisonRules& rules, const char* object_file_a,
                         const char* object_file_b, const char* a_difference_db,
                         const char* b_difference_db, const char* combined_difference_db,
                         std::uint32_t user_instance) {
  check_names(object_file_a, object_file_b, a_difference_db, b_difference_db,
              combined_difference_db);
  bool differ = false;
  try {
    diff_context_start(object_file_a, object_file_b, a_difference_db, b_difference_db,
                       combined_difference_db, user_instance);
    differ = compare_started_context(rules, object_file_a, object_file_b);
  } catch (...) {
    // Records with gaps must not read as a finished comparison.
    diff_context_abandon_comparison();
    throw;
  }
  diff_context_finish_comparison();
  return differ ? 1 : 0;
}

}  // namespace diff
