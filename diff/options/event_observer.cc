#include "diff/options/event_observer.h"

#include "diff/outcome/call_outcome.h"  // fail, DIFF_ERROR_ARGUMENT

namespace diff {
namespace {

diff_event_observer observer_in_force = nullptr;
void* observer_data = nullptr;

}  // namespace

int set_event_observer(diff_event_observer observer, void* user_data) {
  observer_in_force = observer;
  observer_data = observer != nullptr ? user_data : nullptr;
  return 1;
}

bool event_observer_set() { return observer_in_force != nullptr; }

void notify_observer(int kind, const char* object, const char* slot, const char* a_value,
                     const char* b_value) {
  if (observer_in_force == nullptr) return;
  const diff_event event{kind, object, slot, a_value, b_value};
  if (observer_in_force(observer_data, &event) != 0) {
    fail(DIFF_ERROR_ARGUMENT, "the host stopped the comparison");
  }
}

}  // namespace diff
