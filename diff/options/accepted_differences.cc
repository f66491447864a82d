#include "diff/options/accepted_differences.h"

#include <string>         // std::string, the keys
#include <unordered_set>  // std::unordered_set

#include "diff/diff.h"                  // DIFF_OBJECT_ONLY_IN_A ... DIFF_SLOT_VALUES_DIFFER
#include "diff/outcome/call_outcome.h"  // fail, DIFF_ERROR_ARGUMENT

namespace diff {
namespace {

std::unordered_set<std::string>& accepted() {
  static std::unordered_set<std::string> held;
  return held;
}

// How many texts after the object a kind uses: 0 for an object, 1 for a slot
// on one side, 3 for a value change; -1 for an unknown kind.
int texts_after_object(int kind) {
  switch (kind) {
    case DIFF_OBJECT_ONLY_IN_A:
    case DIFF_OBJECT_ONLY_IN_B:
      return 0;
    case DIFF_SLOT_ONLY_IN_A:
    case DIFF_SLOT_ONLY_IN_B:
      return 1;
    case DIFF_SLOT_VALUES_DIFFER:
      return 3;
    default:
      return -1;
  }
}

// The key of a difference of a known kind.
std::string key_of(int kind, const char* object, const char* slot, const char* a_value,
                   const char* b_value) {
  std::string key(1, static_cast<char>('0' + kind));
  key += object;
  const int more = texts_after_object(kind);
  if (more >= 1) (key += '\0') += slot;
  if (more >= 3) ((key += '\0') += a_value += '\0') += b_value;
  return key;
}

// True when `kind` is known and every text it needs is given.
bool well_formed(int kind, const char* object, const char* slot, const char* a_value,
                 const char* b_value) {
  const int more = texts_after_object(kind);
  if (more < 0 || object == nullptr) return false;
  if (more >= 1 && slot == nullptr) return false;
  return more < 3 || (a_value != nullptr && b_value != nullptr);
}

}  // namespace

bool accepted_differences_set() { return !accepted().empty(); }

bool difference_accepted(int kind, const char* object, const char* slot, const char* a_value,
                         const char* b_value) {
  return accepted().contains(key_of(kind, object, slot, a_value, b_value));
}

int accept_difference(int kind, const char* object, const char* slot, const char* a_value,
                      const char* b_value) {
  if (!well_formed(kind, object, slot, a_value, b_value)) {
    fail(DIFF_ERROR_ARGUMENT,
         "diff_accept_difference: an unknown kind " + std::to_string(kind) +
             ", or a text the kind needs is null");
  }
  accepted().insert(key_of(kind, object, slot, a_value, b_value));
  return 1;
}

int is_accepted(int kind, const char* object, const char* slot, const char* a_value,
                const char* b_value) {
  if (!well_formed(kind, object, slot, a_value, b_value)) return 0;
  return difference_accepted(kind, object, slot, a_value, b_value) ? 1 : 0;
}

int clear_accepted_differences() {
  accepted().clear();
  return 1;
}

}  // namespace diff
