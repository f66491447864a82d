#include "diff/outcome/call_outcome.h"

#include <algorithm>  // std::replace_if

namespace diff {
namespace {

struct Outcome {
  int code = DIFF_OK;
  std::string message;
};

// Per thread, so that hosts calling from several threads each learn about
// their own calls.
thread_local Outcome outcome;

}  // namespace

void fail(int code, const std::string& message) { throw Failure(code, message); }

void record_failure(int code, const std::string& message) {
  if (outcome.code != DIFF_OK) return;
  outcome.code = code;
  // A message is one line, whatever the names in it hold.
  try {
    outcome.message = message;
    std::replace_if(
        outcome.message.begin(), outcome.message.end(),
        [](char c) { return c == '\n' || c == '\r'; }, ' ');
  } catch (const std::bad_alloc&) {
    outcome.message.clear();  // the code still tells what happened
  }
}

void reset_outcome() {
  outcome.code = DIFF_OK;
  outcome.message.clear();
}

bool failure_recorded() { return outcome.code != DIFF_OK; }

int last_outcome(const char** message) {
  if (message != nullptr) *message = outcome.message.c_str();
  return outcome.code;
}

}  // namespace diff
