#include "outputs/text/difference_counts.h"  // Counts, StatLines, CountsJson

#include <array>  // std::array

namespace odbdiff {
namespace {

// Each count with its --stat wording and its JSON key, in the order both
// give them.
struct CountName {
  const char* stat;
  const char* json;
};

constexpr std::array<CountName, 9> kCountNames = {{
    {"objects in A", "objects-in-a"},
    {"objects in B", "objects-in-b"},
    {"objects identical", "objects-identical"},
    {"objects differing", "objects-differing"},
    {"objects only in A", "objects-only-in-a"},
    {"objects only in B", "objects-only-in-b"},
    {"slots only in A", "slots-only-in-a"},
    {"slots only in B", "slots-only-in-b"},
    {"slots with values that differ", "slots-values-differ"},
}};

std::array<std::uint64_t, 9> Values(const Counts& counts) {
  return {counts.objects_in_a(),      counts.objects_in_b(),      counts.objects_identical,
          counts.objects_differing,   counts.objects_only_in_a,   counts.objects_only_in_b,
          counts.slots_only_in_a,     counts.slots_only_in_b,     counts.slots_values_differ};
}

}  // namespace

Counts& Counts::operator+=(const Counts& other) {
  objects_identical += other.objects_identical;
  objects_differing += other.objects_differing;
  objects_only_in_a += other.objects_only_in_a;
  objects_only_in_b += other.objects_only_in_b;
  slots_only_in_a += other.slots_only_in_a;
  slots_only_in_b += other.slots_only_in_b;
  slots_values_differ += other.slots_values_differ;
  return *this;
}

std::string StatLines(const Counts& counts) {
  const std::array<std::uint64_t, 9> values = Values(counts);
  std::string lines;
  for (std::size_t i = 0; i < values.size(); ++i) {
    lines += kCountNames[i].stat;
    lines += ": ";
    lines += std::to_string(values[i]);
    lines += '\n';
  }
  return lines;
}

std::string CountsJson(const Counts& counts) {
  const std::array<std::uint64_t, 9> values = Values(counts);
  std::string json = "{";
  for (std::size_t i = 0; i < values.size(); ++i) {
    json += i == 0 ? "\"" : ", \"";
    json += kCountNames[i].json;
    json += "\": ";
    json += std::to_string(values[i]);
  }
  json += '}';
  return json;
}

}  // namespace odbdiff
