// The comparison context: five process-wide object-database handles through
// which one file comparison and the reports that follow it work.
#ifndef DIFF_FILEDIFF_COMPARISON_CONTEXT_H_
#define DIFF_FILEDIFF_COMPARISON_CONTEXT_H_

#include <cstdint>  // std::uint32_t
#include <vector>   // std::vector

#include "diff/host/object_database.h"   // CvxODB
#include "diff/outcome/file_identity.h"  // NamedInput

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

// True when the context holds the records of a comparison that finished:
// not after a comparison that failed, nor once the difference databases
// were deleted.
bool context_comparison_finished();

// The files of the context, each with what it is ("object file A", ...);
// empty without a context. No output may name one of them.
std::vector<NamedInput> context_files();

// Fills the five slots with new handles (releasing the handles of an
// earlier context first) and opens them: the object files read-only (a file
// that does not open fails with DIFF_ERROR_READ before any difference
// database is touched), then each difference database, emptied first when
// it exists (deleted and made anew) and opened for writing (a failure fails
// with DIFF_ERROR_WRITE). Returns 1.
int diff_context_start(const char* object_file_a, const char* object_file_b,
                       const char* a_difference_db, const char* b_difference_db,
                       const char* combined_difference_db, std::uint32_t user_instance);

// Opens every handle that is not open, as a report that reads them all
// needs: the object files read-only, the difference databases for writing.
// Returns 1; a database that does not open fails with DIFF_ERROR_READ.
int diff_context_open();

// Closes the handles: the object files without saving, the difference
// databases saving their records durably. Returns 1; the results are not
// examined.
int diff_context_close();

// The end of a comparison: closes the handles, saving the difference
// databases, and marks the comparison finished. When a database cannot be
// saved, the others are closed without saving, the three are removed (they
// would read as "no differences") and it fails with DIFF_ERROR_WRITE naming
// that database.
void diff_context_finish_comparison();

// The end of a comparison that failed: closes every handle without saving
// and removes the difference databases, which hold only part of the records.
void diff_context_abandon_comparison();

// DeleteDiffObjs: closes the context and deletes the three difference
// databases; the result of deleting the combined one (0 without a context).
int diff_context_delete_difference_dbs();

// DiffTerminate: releases every handle and empties the slots. Returns 1.
int diff_context_terminate();

}  // namespace diff

#endif  // DIFF_FILEDIFF_COMPARISON_CONTEXT_H_
