#include "diff/filediff/comparison_context.h"

#include <array>             // std::array
#include <initializer_list>  // the loop over the difference databases
#include <string>            // std::string, a message kept across closes

#include "diff/outcome/call_outcome.h"      // fail, record_failure, DIFF_ERROR_*
#include "diff/outcome/database_failure.h"  // fail_on, database_message, open_failure_reason

namespace diff {
namespace {

struct SlotRule {
  const char* role;  // what the file is, in messages
  int open_mode;     // 1 read-only (object files), 0 for writing (difference databases)
  int close_flag;    // 0 without saving, 1 saving
};
constexpr std::array<SlotRule, kContextSlotCount> kRules = {{
    {"object file A", 1, 0},
    {"object file B", 1, 0},
    {"the A difference database", 0, 1},
    {"the B difference database", 0, 1},
    {"the combined difference database", 0, 1},
}};
constexpr int kFirstDifferenceDb = static_cast<int>(ContextSlot::kADifferenceDb);

std::array<CvxODB*, kContextSlotCount> slots{};
// Whether the difference databases were emptied for the comparison at hand,
// and whether that comparison finished.
bool difference_dbs_prepared = false;
bool comparison_finished = false;

CvxODB*& slot_at(ContextSlot slot) { return slots[static_cast<int>(slot)]; }

void release_handles() {
  for (CvxODB*& handle : slots) {
    delete handle;  // the handle's virtual destructor returns it to the library's allocator
    handle = nullptr;
  }
}

// Opens slot i unless it is open; fails with `code` naming the file.
void open_slot(int i, int code) {
  CvxODB* handle = slots[i];
  if (handle == nullptr || handle->IsOpen() != 0) return;
  if (handle->Open(kRules[i].open_mode) == 0) {
    fail_on(*handle, code, open_failure_reason(handle->DB()));
  }
}

// A difference database left by an earlier comparison is deleted and made
// anew, so that it holds none of its former objects. A database that cannot
// be emptied would mix old records with new ones.
void empty_if_present(CvxODB& database) {
  if (database.Exists() == 0) return;
  if (database.Delete() == 0) fail_on(database, DIFF_ERROR_WRITE, "cannot be emptied");
  if (database.Create() == 0) fail_on(database, DIFF_ERROR_WRITE, "cannot be made anew");
  database.Close(0);  // nothing written yet: there is nothing to save
}

void remove_difference_dbs() {
  for (int i = kFirstDifferenceDb; i < kContextSlotCount; ++i) {
    if (slots[i] != nullptr) slots[i]->Delete();  // a database that is not there needs nothing
  }
}

}  // namespace

CvxODB* context_handle(ContextSlot slot) { return slot_at(slot); }

bool context_is_complete() {
  for (const CvxODB* handle : slots) {
    if (handle == nullptr) return false;
  }
  return true;
}

bool context_comparison_finished() { return comparison_finished; }

std::vector<NamedInput> context_files() {
  std::vector<NamedInput> files;
  for (int i = 0; i < kContextSlotCount; ++i) {
    if (slots[i] != nullptr) files.push_back({kRules[i].role, slots[i]->DB()});
  }
  return files;
}

int diff_context_start(const char* object_file_a, const char* object_file_b,
                       const char* a_difference_db, const char* b_difference_db,
                       const char* combined_difference_db, std::uint32_t user_instance) {
  // Handles still held from an earlier comparison are released, not lost.
  release_handles();
  difference_dbs_prepared = false;
  comparison_finished = false;
  const char* const names[kContextSlotCount] = {object_file_a, object_file_b, a_difference_db,
                                                b_difference_db, combined_difference_db};
  for (int i = 0; i < kContextSlotCount; ++i) {
    // Only the setup of a difference database is flagged as one; the
    // context's handles are all made with flag 0.
    slots[i] = new (char{0}) CvxODB(user_instance, names[i], 0);
    if (slots[i] == nullptr) fail(DIFF_ERROR_INTERNAL, "out of memory");
  }
  // The object files first: a comparison that cannot read them leaves the
  // difference databases of an earlier one as they are.
  open_slot(static_cast<int>(ContextSlot::kObjectFileA), DIFF_ERROR_READ);
  open_slot(static_cast<int>(ContextSlot::kObjectFileB), DIFF_ERROR_READ);
  difference_dbs_prepared = true;
  for (int i = kFirstDifferenceDb; i < kContextSlotCount; ++i) {
    CvxODB setup(user_instance, names[i], 1);
    empty_if_present(setup);
    open_slot(i, DIFF_ERROR_WRITE);
  }
  return 1;
}

int diff_context_open() {
  for (int i = 0; i < kContextSlotCount; ++i) open_slot(i, DIFF_ERROR_READ);
  return 1;
}

int diff_context_close() {
  for (int i = 0; i < kContextSlotCount; ++i) {
    if (slots[i] != nullptr) slots[i]->Close(kRules[i].close_flag);
  }
  return 1;
}

void diff_context_finish_comparison() {
  const CvxODB* unsaved = nullptr;
  for (int i = 0; i < kContextSlotCount; ++i) {
    CvxODB* handle = slots[i];
    if (handle == nullptr || handle->IsOpen() == 0) continue;
    // Once one database could not be saved, the set is incomplete: the
    // others are not saved either.
    const int flag = unsaved == nullptr ? kRules[i].close_flag : 0;
    if (handle->Close(flag) == 0 && flag == 1) unsaved = handle;
  }
  if (unsaved != nullptr) {
    const std::string message = database_message(*unsaved, "its records could not be saved");
    remove_difference_dbs();
    fail(DIFF_ERROR_WRITE, message);
  }
  comparison_finished = true;
}

void diff_context_abandon_comparison() {
  for (CvxODB* handle : slots) {
    if (handle != nullptr && handle->IsOpen() != 0) handle->Close(0);
  }
  if (difference_dbs_prepared) remove_difference_dbs();
  comparison_finished = false;
}

int diff_context_delete_difference_dbs() {
  diff_context_close();
  comparison_finished = false;  // nothing is left to report
  int result = 0;
  for (ContextSlot slot : {ContextSlot::kADifferenceDb, ContextSlot::kBDifferenceDb,
                           ContextSlot::kCombinedDifferenceDb}) {
    CvxODB* handle = slot_at(slot);
    result = handle != nullptr ? handle->Delete() : 0;
    // A database that is not there needs no deleting; one that stays is a
    // failure, told while the others are still deleted.
    if (result == 0 && handle != nullptr && library_gave_reason(*handle)) {
      record_failure(DIFF_ERROR_WRITE, database_message(*handle, ""));
    }
  }
  return result;
}

int diff_context_terminate() {
  release_handles();
  difference_dbs_prepared = false;
  comparison_finished = false;
  return 1;
}

}  // namespace diff
