// The host's observer of a file comparison's events, held for the process.
#ifndef DIFF_OPTIONS_EVENT_OBSERVER_H_
#define DIFF_OPTIONS_EVENT_OBSERVER_H_

#include "diff/diff.h"  // diff_event_observer

namespace diff {

// diff_set_event_observer. Returns 1.
int set_event_observer(diff_event_observer observer, void* user_data);

// True when an observer is in force.
bool event_observer_set();

// Hands one event to the observer, if any. An answer other than 0 fails the
// call with DIFF_ERROR_ARGUMENT ("the host stopped the comparison").
void notify_observer(int kind, const char* object, const char* slot, const char* a_value,
                     const char* b_value);

}  // namespace diff

#endif  // DIFF_OPTIONS_EVENT_OBSERVER_H_
