// The differences a person has accepted, held for the process in a hash set.
// A difference is keyed by its kind, object, slot and value texts joined
// with NUL bytes, which no name or text holds.
#ifndef DIFF_OPTIONS_ACCEPTED_DIFFERENCES_H_
#define DIFF_OPTIONS_ACCEPTED_DIFFERENCES_H_

namespace diff {

// True when some difference is accepted.
bool accepted_differences_set();

// True when the difference is accepted; the texts that `kind` does not use
// are not read. `kind` is a known difference kind and the texts it uses are
// not null.
bool difference_accepted(int kind, const char* object, const char* slot, const char* a_value,
                         const char* b_value);

// diff_accept_difference, diff_is_accepted: refuse an unknown kind or a null
// text that the kind needs (DIFF_ERROR_ARGUMENT, nothing changed; is_accepted
// answers 0).
int accept_difference(int kind, const char* object, const char* slot, const char* a_value,
                      const char* b_value);
int is_accepted(int kind, const char* object, const char* slot, const char* a_value,
                const char* b_value);

// diff_clear_accepted: forgets every accepted difference. Returns 1.
int clear_accepted_differences();

}  // namespace diff

#endif  // DIFF_OPTIONS_ACCEPTED_DIFFERENCES_H_
