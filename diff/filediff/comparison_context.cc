#include "diff/filediff/comparison_context.h"

#include <array>             // std::array
#include <initializer_list>  // the loop over the difference databases

namespace diff {
namespace {

struct SlotRule {
  int open_mode;   // 1 read-only (object files), 0 for writing (difference databases)
  int close_flag;  // 0 without saving, 1 saving
};
constexpr std::array<SlotRule, kContextSlotCount> kRules = {{
    {1, 0},  // object file A
    {1, 0},  // object file B
    {0, 1},  // A difference database
    {0, 1},  // B difference database
    {0, 1},  // combined difference database
}};

std::array<CvxODB*, kContextSlotCount> slots{};

CvxODB*& slot_at(ContextSlot slot) { return slots[static_cast<int>(slot)]; }

void release_handles() {
  for (CvxODB*& handle : slots) {
    delete handle;  // the handle's virtual destructor returns it to the library's allocator
    handle = nullptr;
  }
}

// A difference database left by an earlier comparison is deleted and made
// anew, so that it holds none of its former objects.
void empty_if_present(CvxODB& database) {
  if (database.Exists() == 0) return;
  database.Delete();
  if (database.Create() != 0) database.Close(0);
}

}  // namespace

CvxODB* context_handle(ContextSlot slot) { return slot_at(slot); }

bool context_is_complete() {
  for (const CvxODB* handle : slots) {
    if (handle == nullptr) return false;
  }
  return true;
}

int diff_context_start(const char* object_file_a, const char* object_file_b,
                       const char* a_difference_db, const char* b_difference_db,
                       const char* combined_difference_db, std::uint32_t user_instance) {
  CvxODB setup_a(user_instance, object_file_a, 0);
  CvxODB setup_b(user_instance, object_file_b, 0);
  CvxODB setup_a_difference(user_instance, a_difference_db, 1);
  empty_if_present(setup_a_difference);
  CvxODB setup_b_difference(user_instance, b_difference_db, 1);
  empty_if_present(setup_b_difference);
  CvxODB setup_combined(user_instance, combined_difference_db, 1);
  empty_if_present(setup_combined);

  // Handles still held from an earlier comparison are released, not lost.
  release_handles();
  CvxODB* const setups[kContextSlotCount] = {&setup_a, &setup_b, &setup_a_difference,
                                             &setup_b_difference, &setup_combined};
  for (int i = 0; i < kContextSlotCount; ++i) {
    slots[i] = new (char{0}) CvxODB(setups[i]->UserInstance(), setups[i]->DB(), 0);
  }
  diff_context_open();
  return 1;
}

int diff_context_open() {
  for (int i = 0; i < kContextSlotCount; ++i) {
    if (slots[i] != nullptr && slots[i]->IsOpen() == 0) slots[i]->Open(kRules[i].open_mode);
  }
  return 1;
}

int diff_context_close() {
  for (int i = 0; i < kContextSlotCount; ++i) {
    if (slots[i] != nullptr) slots[i]->Close(kRules[i].close_flag);
  }
  return 1;
}

int diff_context_delete_difference_dbs() {
  diff_context_close();
  int result = 0;
  for (ContextSlot slot : {ContextSlot::kADifferenceDb, ContextSlot::kBDifferenceDb,
                           ContextSlot::kCombinedDifferenceDb}) {
    CvxODB* handle = slot_at(slot);
    result = handle != nullptr ? handle->Delete() : 0;
  }
  return result;
}

int diff_context_terminate() {
  release_handles();
  return 1;
}

}  // namespace diff
