#include "hostlibs/list/slot_positions.h"

namespace rovivar {
namespace {

std::size_t LowBit(std::size_t i) { return i & (~i + 1); }

}  // namespace

void SlotPositions::Fill(std::vector<std::int64_t> occupancy) {
  const std::size_t size = occupancy.size() - 1;
  for (std::size_t i = 1; i <= size; ++i) {
    const std::size_t parent = i + LowBit(i);
    if (parent <= size) occupancy[parent] += occupancy[i];
  }
  tree_ = std::move(occupancy);
  active_ = true;
}

void SlotPositions::Reset() {
  tree_.assign(1, 0);
  active_ = false;
}

void SlotPositions::PushBack() {
  const std::size_t i = tree_.size();  // 1-based index of the new slot
  tree_.push_back(1 + Prefix(i - 1) - Prefix(i - LowBit(i)));
}

void SlotPositions::Empty(std::size_t slot) {
  for (std::size_t i = slot + 1; i < tree_.size(); i += LowBit(i)) --tree_[i];
}

std::size_t SlotPositions::PositionOf(std::size_t slot) const {
  return static_cast<std::size_t>(Prefix(slot));
}

std::size_t SlotPositions::SlotAt(std::size_t position) const {
  const std::size_t size = tree_.size() - 1;
  std::size_t step = 1;
  while (step * 2 <= size) step *= 2;
  // Descends to the largest index whose prefix holds at most `position`
  // occupied slots; the next slot is the wanted one.
  std::size_t index = 0;
  auto remaining = static_cast<std::int64_t>(position) + 1;
  for (; step > 0; step /= 2) {
    if (index + step <= size && tree_[index + step] < remaining) {
      index += step;
      remaining -= tree_[index];
    }
  }
  return index;  // 1-based index + 1, that is 0-based slot `index`
}

std::int64_t SlotPositions::Prefix(std::size_t count) const {
  std::int64_t sum = 0;
  for (std::size_t i = count; i > 0; i -= LowBit(i)) sum += tree_[i];
  return sum;
}

}  // namespace rovivar
