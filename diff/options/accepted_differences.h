// The differences a person has accepted, in a hash set. A difference is
// keyed by its kind, object, slot and value texts joined with NUL bytes,
// which no name or text holds.
#ifndef DIFF_OPTIONS_ACCEPTED_DIFFERENCES_H_
#define DIFF_OPTIONS_ACCEPTED_DIFFERENCES_H_

#include <string>         // std::string, the keys
#include <unordered_set>  // std::unordered_set

namespace diff {

class AcceptedDifferences {
 public:
  // diff_accept_difference: fails with DIFF_ERROR_ARGUMENT, changing
  // nothing, for an unknown kind or a null text that the kind needs.
  void accept(int kind, const char* object, const char* slot, const char* a_value,
              const char* b_value);

  // True when some difference is accepted.
  bool any() const { return !keys_.empty(); }

  // True when the difference is accepted; the texts that `kind` does not use
  // are not read. `kind` is a known difference kind and the texts it uses
  // are not null.
  bool contains(int kind, const char* object, const char* slot, const char* a_value,
                const char* b_value) const;

  // diff_is_accepted: contains, false for an unknown kind or a null text
  // that the kind needs.
  bool contains_checked(int kind, const char* object, const char* slot, const char* a_value,
                        const char* b_value) const;

  // diff_clear_accepted: forgets every accepted difference.
  void clear() { keys_.clear(); }

 private:
  std::unordered_set<std::string> keys_;
};

}  // namespace diff

#endif  // DIFF_OPTIONS_ACCEPTED_DIFFERENCES_H_
