#include "diff/options/accepted_differences.h"

#include <string>  // std::string, std::to_string

#include "diff/diff.h"                  // DIFF_OBJECT_ONLY_IN_A ... DIFF_SLOT_VALUES_DIFFER
#include "diff/outcome/call_outcome.h"  // fail, DIFF_ERROR_ARGUMENT

namespace diff {
namespace {

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

void AcceptedDifferences::accept(int kind, const char* object, const char* slot,
                                 const char* a_value, const char* b_value) {
  if (!well_formed(kind, object, slot, a_value, b_value)) {
    fail(DIFF_ERROR_ARGUMENT,
         "diff_accept_difference: an unknown kind " + std::to_string(kind) +
             ", or a text the kind needs is null");
  }
  keys_.insert(key_of(kind, object, slot, a_value, b_value));
}

bool AcceptedDifferences::contains(int kind, const char* object, const char* slot,
                                   const char* a_value, const char* b_value) const {
  return keys_.contains(key_of(kind, object, slot, a_value, b_value));
}

bool AcceptedDifferences::contains_checked(int kind, const char* object, const char* slot,
                                           const char* a_value, const char* b_value) const {
  return well_formed(kind, object, slot, a_value, b_value) &&
         contains(kind, object, slot, a_value, b_value);
}

}  // namespace diff
