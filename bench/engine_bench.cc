// Keyed list comparison at 10k, 100k and 1M names, in both list flavours.
// Side B differs from side A in about 2 % of its names and 2 % of its values.
#include <benchmark/benchmark.h>  // BENCHMARK, benchmark::State

#include <malloc.h>  // mallopt, M_TRIM_THRESHOLD, M_MMAP_THRESHOLD

#include <algorithm>  // std::shuffle, std::min_element
#include <cstdio>     // std::snprintf
#include <random>     // std::mt19937
#include <string>     // std::string
#include <string_view>  // std::string_view for the command line
#include <vector>     // std::vector

#include "diff/diff.h"  // diff_list2, diff_list2_ormo

namespace {

struct KeyedSides {
  std::vector<std::string> a_names, a_values, b_names, b_values;
};

// Two shuffled sides of `count` names each.
KeyedSides make_sides(int count) {
  std::mt19937 random(42);
  KeyedSides sides;
  char text[64];
  for (int i = 0; i < count; ++i) {
    std::snprintf(text, sizeof text, "slot_%08d", i);
    const std::string value = std::to_string(1000 + i % 977) + " mm";
    const unsigned roll = random() % 100;
    if (roll != 0) {  // 1 % only in B
      sides.a_names.push_back(text);
      sides.a_values.push_back(value);
    }
    if (roll != 1) {  // 1 % only in A
      sides.b_names.push_back(text);
      sides.b_values.push_back(roll < 4 ? value + "0" : value);  // 2 % values differ
    }
  }
  std::vector<std::size_t> order(sides.b_names.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), random);
  KeyedSides shuffled = sides;
  for (std::size_t i = 0; i < order.size(); ++i) {
    shuffled.b_names[i] = sides.b_names[order[i]];
    shuffled.b_values[i] = sides.b_values[order[i]];
  }
  return shuffled;
}

list2 make_list2(const std::vector<std::string>& texts) {
  list2 list = list2_create();
  for (const std::string& text : texts) list2_append_to_end(list, text.c_str(), 0);
  return list;
}

void fill(CStrList& list, const std::vector<std::string>& texts) {
  for (const std::string& text : texts) list.Append(text.c_str(), 0);
}

void BM_DiffList2(benchmark::State& state) {
  const KeyedSides sides = make_sides(static_cast<int>(state.range(0)));
  list2 inputs[4] = {make_list2(sides.a_names), make_list2(sides.a_values),
                     make_list2(sides.b_names), make_list2(sides.b_values)};
  for (auto _ : state) {
    list2 outputs[4] = {};
    benchmark::DoNotOptimize(diff_list2(inputs[0], inputs[1], inputs[2], inputs[3], &outputs[0],
                                        &outputs[1], &outputs[2], &outputs[3]));
    state.PauseTiming();
    for (list2 output : outputs) list2_delete(output);
    state.ResumeTiming();
  }
  for (list2 input : inputs) list2_delete(input);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_DiffList2Ormo(benchmark::State& state) {
  const KeyedSides sides = make_sides(static_cast<int>(state.range(0)));
  CStrList inputs[4];
  fill(inputs[0], sides.a_names);
  fill(inputs[1], sides.a_values);
  fill(inputs[2], sides.b_names);
  fill(inputs[3], sides.b_values);
  for (auto _ : state) {
    auto* outputs = new CStrList[4];
    benchmark::DoNotOptimize(diff_list2_ormo(&inputs[0], &inputs[1], &inputs[2], &inputs[3],
                                             &outputs[0], &outputs[1], &outputs[2], &outputs[3]));
    state.PauseTiming();
    delete[] outputs;
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The fastest repetition shows the comparison's own cost best on a shared
// machine, whose other work only ever adds to a run's time.
double fastest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

// 10k, 100k and 1M names, in milliseconds, with the fastest repetition.
void at_every_size(benchmark::internal::Benchmark* run) {
  run->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
  run->ComputeStatistics("min", fastest);
}

BENCHMARK(BM_DiffList2)->Apply(at_every_size);
BENCHMARK(BM_DiffList2Ormo)->Apply(at_every_size);

// One object of 100k slots whose every value B holds in other units (A's
// "N m3/h" as "N/3.6 l/s"): judged by the numeric rule alone (argument 0,
// every pair differs) and by a units slot rule for every slot (argument 1,
// every pair converted and equal): the cost of a conversion per slot.
void BM_ObjectSlotsInOtherUnits(benchmark::State& state) {
  constexpr int kSlots = 100'000;
  std::vector<std::string> names, a_values, b_values;
  char text[64];
  for (int i = 0; i < kSlots; ++i) {
    std::snprintf(text, sizeof text, "flow_%06d", i);
    names.emplace_back(text);
    a_values.push_back(std::to_string(10 + i % 500) + " m3/h");
    std::snprintf(text, sizeof text, "%.17g l/s", (10 + i % 500) / 3.6);
    b_values.emplace_back(text);
  }
  diff_reset_options();
  diff_set_value_rule(DIFF_VALUE_RULE_NUMERIC, 2.0);
  if (state.range(0) == 1) {
    diff_add_slot_rule(nullptr, "flow_*", DIFF_VALUE_RULE_UNITS, 2.0, 0.0, DIFF_CASE_EXACT,
                       DIFF_LISTS_ORDERED);
  }
  list2 inputs[4] = {make_list2(names), make_list2(a_values), make_list2(names),
                     make_list2(b_values)};
  for (auto _ : state) {
    benchmark::DoNotOptimize(diff_object_list2("pump", inputs[0], inputs[1], inputs[2],
                                               inputs[3], nullptr, nullptr, nullptr, nullptr));
  }
  for (list2 input : inputs) list2_delete(input);
  diff_reset_options();
  state.SetItemsProcessed(state.iterations() * kSlots);
}
BENCHMARK(BM_ObjectSlotsInOtherUnits)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Each measured call builds output lists of a few hundred megabytes at 1M
// names, which the loop frees again. glibc hands freed memory beyond 32 MiB
// back to the kernel, so every 1M call would fault all of its memory in anew
// (zeroed pages) while the 100k calls reuse theirs: the sizes would not be
// measured alike. Keeping freed memory in the process measures every size
// without those faults. --default-malloc keeps glibc's defaults.
void keep_freed_memory() {
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_MMAP_THRESHOLD, 32 << 20);  // glibc's largest
}

}  // namespace

int main(int argc, char** argv) {
  bool default_malloc = false;
  std::vector<char*> arguments;
  for (int i = 0; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--default-malloc") {
      default_malloc = true;
    } else {
      arguments.push_back(argv[i]);
    }
  }
  if (!default_malloc) keep_freed_memory();
  int count = static_cast<int>(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
