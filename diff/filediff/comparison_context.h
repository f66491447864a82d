// The comparison context: five process-wide object-database handles through
// which one file comparison and the reports that follow it work.
#ifndef DIFF_FILEDIFF_COMPARISON_CONTEXT_H_
#define DIFF_FILEDIFF_COMPARISON_CONTEXT_H_

#include <cstdint>  // std::uint32_t

#include "diff/host/object_database.h"  // CvxODB

namespace diff {

// The context slots, in the order every operation visits them.
enum class ContextSlot {
  kObjectFileA,
  kObjectFileB,
  kADifferenceDb,
  kBDifferenceDb,
  kCombinedDifferenceDb,
};
inline constexpr int kContextSlotCount = 5;

// The handle in `slot`, or null when the slot is empty.
CvxODB* context_handle(ContextSlot slot);

// True when all five slots hold a handle.
bool context_is_complete();

// Prepares the three difference databases (an existing one is deleted and
// made anew, empty), fills the five slots with new handles (releasing the
// handles of an earlier context first) and opens them. Returns 1.
int diff_context_start(const char* object_file_a, const char* object_file_b,
                       const char* a_difference_db, const char* b_difference_db,
                       const char* combined_difference_db, std::uint32_t user_instance);

// Opens every handle that is not open: the object files read-only, the
// difference databases for writing. Returns 1.
int diff_context_open();

// Closes the handles: the object files without saving, the difference
// databases saving their records durably. Returns 1.
int diff_context_close();

// DeleteDiffObjs: closes the context and deletes the three difference
// databases; the result of deleting the combined one (0 without a context).
int diff_context_delete_difference_dbs();

// DiffTerminate: releases every handle and empties the slots. Returns 1.
int diff_context_terminate();

}  // namespace diff

#endif  // DIFF_FILEDIFF_COMPARISON_CONTEXT_H_
