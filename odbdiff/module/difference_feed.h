// Handing a comparison's differences to a DifferenceSink with typed values:
// from the diff module's events during a file comparison, and from the
// sorted lists of a slot comparison. The module gives value texts; the sink
// takes the values as the object files hold them, read here by name.
#ifndef ODBDIFF_MODULE_DIFFERENCE_FEED_H_
#define ODBDIFF_MODULE_DIFFERENCE_FEED_H_

#include <cstdint>    // std::int64_t
#include <exception>  // std::exception_ptr
#include <optional>   // std::optional
#include <string>     // std::string
#include <vector>     // std::vector

#include "diff/diff.h"                  // diff_event
#include "diff/host/list_library.h"     // CStrList, list2
#include "diff/host/object_database.h"  // CvxODB, CvxSlot
#include "inputs/object_model.h"        // SlotValue
#include "outputs/difference_sink.h"    // DifferenceSink

namespace odbdiff {

// An object file open read-only for single slot values.
class TypedSlotReader {
 public:
  // Throws Failure when the file is no object file.
  explicit TypedSlotReader(const std::string& path);

  // The value of `slot` in `object`. Throws Failure when it cannot be read.
  SlotValue Read(const std::string& object, const std::string& slot);

 private:
  std::string path_;
  CvxODB database_;
  CvxSlot fetched_;
};

// The diff module's events of one file comparison, handed to a sink. Set
// Observe as the module's observer with this as its user data.
class EventFeed {
 public:
  // With `typed_values` the sink gets each value as the files hold it, read
  // from them; without, the event's text (for a sink that only counts).
  EventFeed(DifferenceSink& sink, const std::string& file_a, const std::string& file_b,
            bool typed_values);

  static int Observe(void* feed, const diff_event* event);

  // Rethrows what stopped the comparison from here, if anything did.
  void RethrowFailure() const;
  // Hands on the slots of the last differing object. Called after the
  // comparison ended (each new object hands on those of the one before).
  void Finish();

 private:
  // A slot difference of the current object, kept until the object ends.
  struct PendingSlot {
    int kind;
    std::string slot;
    std::string a_value;
    std::string b_value;
  };

  void Take(const diff_event& event);
  static SlotValue Value(std::optional<TypedSlotReader>& reader, const std::string& object,
                         const char* slot, const char* text);

  DifferenceSink& sink_;
  std::optional<TypedSlotReader> a_;  // none without typed values
  std::optional<TypedSlotReader> b_;
  std::string object_;  // the differing object whose slots come now
  std::vector<PendingSlot> pending_;
  std::exception_ptr failure_;
};

// One item of a side's sorted slot lists after a slot comparison.
struct SortedSlot {
  const char* name;
  bool one_sided;     // no counterpart on the other side
  bool values_equal;  // with a counterpart: the values count as equal
};

// A side's sorted names and values, as diff_objects_ormo or diff_object_list2
// leave them (index-aligned, with their status codes).
std::vector<SortedSlot> SortedSlots(CStrList& names, CStrList& values);
std::vector<SortedSlot> SortedSlots(list2 names, list2 values);

// Hands the object of both files to the sink: same, or differing with its
// slot differences in byte-wise name order.
void FeedComparedObject(DifferenceSink& sink, const std::string& object,
                        const std::vector<SortedSlot>& a, const std::vector<SortedSlot>& b,
                        TypedSlotReader& reader_a, TypedSlotReader& reader_b);

}  // namespace odbdiff

#endif  // ODBDIFF_MODULE_DIFFERENCE_FEED_H_
