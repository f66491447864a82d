// The outcome of an entry point call, kept for the calling thread, which
// diff_last_error hands to the host.
//
// Work that meets a failure it cannot get past throws Failure; the entry
// point's guard (guarded) records it and answers the entry point's failure
// result. Work that goes on after a failure (the HTML reports keep writing
// their other blocks) records it with record_failure and answers for itself.
#ifndef DIFF_OUTCOME_CALL_OUTCOME_H_
#define DIFF_OUTCOME_CALL_OUTCOME_H_

#include <new>        // std::bad_alloc
#include <stdexcept>  // std::runtime_error, std::exception
#include <string>     // std::string

#include "diff/diff.h"  // DIFF_OK, DIFF_ERROR_*

namespace diff {

// A failure that ends the call: a DIFF_ERROR_ code and its one-line message,
// which names the file (and the object and slot where known).
class Failure : public std::runtime_error {
 public:
  Failure(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

[[noreturn]] void fail(int code, const std::string& message);

// The one place that sets the outcome. The first failure of a call is kept:
// what follows from it adds nothing the host needs.
void record_failure(int code, const std::string& message);

// Forgets the last call's outcome: DIFF_OK.
void reset_outcome();

// True when the call in progress has recorded a failure.
bool failure_recorded();

// The last call's code; its message through `message` when not null.
int last_outcome(const char** message);

// Runs one entry point's work: resets the outcome, and turns every exception
// into a recorded failure and `failure_result`, so none leaves the module.
template <typename Call>
int guarded(int failure_result, Call call) noexcept {
  reset_outcome();
  try {
    return call();
  } catch (const Failure& failure) {
    record_failure(failure.code(), failure.what());
  } catch (const std::bad_alloc&) {
    record_failure(DIFF_ERROR_INTERNAL, "out of memory");
  } catch (const std::exception& exception) {
    record_failure(DIFF_ERROR_INTERNAL, exception.what());
  } catch (...) {
    record_failure(DIFF_ERROR_INTERNAL, "unexpected failure");
  }
  return failure_result;
}

}  // namespace diff

#endif  // DIFF_OUTCOME_CALL_OUTCOME_H_
