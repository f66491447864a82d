#include "comparison_slot.h"  // ComparisonSlot

#include <mutex>     // std::mutex, std::lock_guard
#include <optional>  // std::optional
#include <utility>   // std::move

#include "platform/failure.h"  // Failure

namespace odbdiff::python {
namespace {

std::mutex slot_mutex;
std::optional<std::vector<std::string>> held_inputs;  // set while a comparison holds the slot

}  // namespace

ComparisonSlot::ComparisonSlot(std::vector<std::string> inputs) {
  const std::lock_guard<std::mutex> lock(slot_mutex);
  if (held_inputs) {
    throw Failure(
        "another comparison is running in this process (one at a time: finish or close it first)");
  }
  held_inputs = std::move(inputs);
}

ComparisonSlot::~ComparisonSlot() {
  const std::lock_guard<std::mutex> lock(slot_mutex);
  held_inputs.reset();
}

std::vector<std::string> ComparisonSlot::InputsInUse() {
  const std::lock_guard<std::mutex> lock(slot_mutex);
  return held_inputs.value_or(std::vector<std::string>{});
}

}  // namespace odbdiff::python
