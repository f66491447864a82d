#include "project/status_file_write.h"  // WriteStatusFile

#include <cstdint>   // std::int64_t
#include <cstring>   // std::strcmp
#include <optional>  // std::optional, the sink when one is given

#include "diff/diff.h"                   // DIFF_STATUS_DIFFERENT, DIFF_STATUS_SAME
#include "diff/host/list_library.h"      // CStrList
#include "diff/host/object_database.h"   // CvxODB
#include "inputs/object_file_failure.h"  // ObjectFileFailure
#include "module/difference_feed.h"      // TypedSlotReader, FeedComparedObject, SortedSlots
#include "module/module_binding.h"       // ThrowIfModuleFailed
#include "outputs/html/status_file_writer.h"  // InputObjectFile, StatusFileWriter, the codes
#include "platform/failure.h"            // Failure

namespace odbdiff {
namespace {

// The object names of an object file, sorted byte-wise.
CStrList SortedObjectNames(InputObjectFile& file) {
  CStrList names;
  CStrList sorted;
  if (file.database.GetObjects(&names) == 0) {
    throw ObjectFileFailure(file.path, file.database, "cannot read its objects");
  }
  if (sorted.CopySorted(&names) == 0) throw Failure("out of memory");
  return sorted;
}

// Whether an object of one file only is reported: neither ignored nor
// accepted as absent from the other file.
bool Reported(const DiffModule& module, const char* object, int kind) {
  return module.diff_is_ignored(object, nullptr) == 0 &&
         module.diff_is_accepted(kind, object, nullptr, nullptr, nullptr) == 0;
}

// The sink of a pair's differences with the readers of the values it takes.
struct FedSink {
  FedSink(DifferenceSink& sink, const std::string& file_a, const std::string& file_b)
      : sink(sink), reader_a(file_a), reader_b(file_b) {}

  DifferenceSink& sink;
  TypedSlotReader reader_a;
  TypedSlotReader reader_b;
};

// Adds the object in both files with the codes of the module's slot
// comparison, and hands it to the sink. Returns its slots by code; sets
// `differ` when the module finds them different.
SlotCodes AddComparedObject(const DiffModule& module, InputObjectFile& file_a, InputObjectFile& file_b,
                            const char* object, StatusFileWriter& status,
                            std::optional<FedSink>& fed, bool& differ) {
  CStrList a_names;
  CStrList a_values;
  CStrList b_names;
  CStrList b_values;
  const int differs = module.diff_objects_ormo(&file_a.database, object, &file_b.database,
                                               object, &a_names, &a_values, &b_names, &b_values);
  ThrowIfModuleFailed(module);
  if (differs != 0) differ = true;
  status.AddObject(object);
  SlotCodes codes;
  for (int position = 0; position < a_names.GetLength(); ++position) {
    std::int64_t name_status = 0;
    std::int64_t value_status = 0;
    const char* slot = a_names.GetTextAt(position, &name_status);
    a_values.GetTextAt(position, &value_status);
    const char* code = kValuesDiffer;
    if (name_status == DIFF_STATUS_DIFFERENT) {
      code = kOnlyInA;
      ++codes.only_in_a;
    } else if (value_status == DIFF_STATUS_SAME) {
      code = kValuesEqual;
      ++codes.values_equal;
    } else {
      ++codes.values_differ;
    }
    status.AddSlot(object, slot, code);
  }
  for (int position = 0; position < b_names.GetLength(); ++position) {
    std::int64_t name_status = 0;
    const char* slot = b_names.GetTextAt(position, &name_status);
    if (name_status == DIFF_STATUS_DIFFERENT) {
      status.AddSlot(object, slot, kOnlyInB);
      ++codes.only_in_b;
    }
  }
  if (fed) {
    FeedComparedObject(fed->sink, object, SortedSlots(a_names, a_values),
                       SortedSlots(b_names, b_values), fed->reader_a, fed->reader_b);
  }
  return codes;
}

}  // namespace

bool WriteStatusFile(const DiffModule& module, const std::string& file_a,
                     const std::string& file_b, const std::string& status_file,
                     DifferenceSink* sink, ReportStatuses* statuses) {
  InputObjectFile input_a(file_a);
  InputObjectFile input_b(file_b);
  CStrList names_a = SortedObjectNames(input_a);
  CStrList names_b = SortedObjectNames(input_b);

  StatusFileWriter status(status_file);
  std::optional<FedSink> fed;
  if (sink != nullptr) fed.emplace(*sink, file_a, file_b);
  bool differ = false;
  // A merge of the two sorted name lists, so that the status file holds the
  // objects in byte-wise order.
  int position_a = 0;
  int position_b = 0;
  while (position_a < names_a.GetLength() || position_b < names_b.GetLength()) {
    const char* name_a = names_a.GetTextAt(position_a);
    const char* name_b = names_b.GetTextAt(position_b);
    const int order = name_a == nullptr   ? 1
                      : name_b == nullptr ? -1
                                          : std::strcmp(name_a, name_b);
    if (order < 0) {
      if (Reported(module, name_a, DIFF_OBJECT_ONLY_IN_A)) {
        const std::uint64_t slots = status.AddAllSlots(module, input_a, name_a, kOnlyInA);
        if (statuses != nullptr) statuses->AddObject(name_a, true, false, {.only_in_a = slots});
        if (fed) fed->sink.ObjectOnlyIn(Side::kA, name_a);
        differ = true;
      }
      ++position_a;
    } else if (order > 0) {
      if (Reported(module, name_b, DIFF_OBJECT_ONLY_IN_B)) {
        const std::uint64_t slots = status.AddAllSlots(module, input_b, name_b, kOnlyInB);
        if (statuses != nullptr) statuses->AddObject(name_b, false, true, {.only_in_b = slots});
        if (fed) fed->sink.ObjectOnlyIn(Side::kB, name_b);
        differ = true;
      }
      ++position_b;
    } else {
      if (module.diff_is_ignored(name_a, nullptr) == 0) {
        const SlotCodes codes =
            AddComparedObject(module, input_a, input_b, name_a, status, fed, differ);
        if (statuses != nullptr) statuses->AddObject(name_a, true, true, codes);
      }
      ++position_a;
      ++position_b;
    }
  }
  status.Save();
  return differ;
}

}  // namespace odbdiff
