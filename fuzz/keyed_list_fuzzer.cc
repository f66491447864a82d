// diff_list2 against a model of the keyed list comparison built on
// std::multimap. The input is lines "Aname=value" (side A) or "?name=value"
// (any other first byte: side B); a line without '=' has an empty value.
// Aborts when an item's text or mark, the sorted order or the result differs
// from the model.
#include <cstddef>  // std::size_t
#include <cstdint>  // std::uint8_t, std::int64_t
#include <cstdio>   // std::fprintf
#include <cstdlib>  // std::abort
#include <map>      // std::multimap, the model's sorted sides
#include <string>   // std::string
#include <vector>   // std::vector

#include "diff/diff.h"         // diff_list2, DIFF_STATUS_*, list2 functions
#include "value_rule_model.h"  // ModelValuesEqual

namespace {

// A side holds at most this many items, so that inputs stay quick.
constexpr std::size_t kMaxItems = 64;

struct Item {
  std::string text;
  std::int64_t mark = DIFF_STATUS_DIFFERENT;
};

// One side as the model sees it: names and values in input order.
struct Side {
  std::vector<Item> names, values;
  // Name -> input position; equal names keep their input order.
  std::multimap<std::string, std::size_t> sorted;
};

// Texts end at their first NUL, as list2 texts do.
std::string UpToNul(const std::string& text) { return text.substr(0, text.find('\0')); }

void Decode(const std::uint8_t* data, std::size_t size, Side& a, Side& b) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::size_t start = 0;
  while (start < input.size()) {
    std::size_t end = input.find('\n', start);
    if (end == std::string::npos) end = input.size();
    const std::string line = input.substr(start, end - start);
    start = end + 1;
    if (line.empty()) continue;
    Side& side = line[0] == 'A' ? a : b;
    if (side.names.size() == kMaxItems) continue;
    const std::size_t equals = line.find('=', 1);
    const bool has_value = equals != std::string::npos;
    const std::string name = UpToNul(line.substr(1, has_value ? equals - 1 : std::string::npos));
    const std::string value = has_value ? UpToNul(line.substr(equals + 1)) : "";
    side.sorted.emplace(name, side.names.size());
    side.names.push_back({name});
    side.values.push_back({value});
  }
}

// Pairs the k-th occurrence of a name in A with its k-th occurrence in B,
// marks both sides and returns the model's result.
int ModelCompare(Side& a, Side& b) {
  bool differ = a.names.size() != b.names.size();
  for (auto it = a.sorted.begin(); it != a.sorted.end();) {
    auto [a_first, a_last] = a.sorted.equal_range(it->first);
    auto [b_first, b_last] = b.sorted.equal_range(it->first);
    for (; a_first != a_last; ++a_first) {
      if (b_first == b_last) {
        differ = true;
        continue;
      }
      const std::size_t i = a_first->second, j = b_first->second;
      a.names[i].mark = b.names[j].mark = DIFF_STATUS_SAME;
      if (fuzz::ModelValuesEqual(a.values[i].text.c_str(), b.values[j].text.c_str())) {
        a.values[i].mark = b.values[j].mark = DIFF_STATUS_SAME;
      } else {
        differ = true;
      }
      ++b_first;
    }
    it = a_last;
  }
  return differ ? 1 : 0;
}

list2 MakeList(const std::vector<Item>& items) {
  list2 list = list2_create();
  for (const Item& item : items) list2_append_to_end(list, item.text.c_str(), 0);
  return list;
}

void Expect(bool holds, const char* what, int position) {
  if (holds) return;
  std::fprintf(stderr, "keyed list: %s differs from the model at item %d\n", what, position);
  std::abort();
}

// Checks `list` item by item against `expected`.
void ExpectItems(list2 list, const std::vector<Item>& expected, const char* what) {
  Expect(list2_length(list) == static_cast<int>(expected.size()), what, -1);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    std::int64_t data = -1;
    const char* text = list2_get_item(list, static_cast<int>(i), &data);
    Expect(text != nullptr && expected[i].text == text, what, static_cast<int>(i));
    Expect(data == expected[i].mark, what, static_cast<int>(i));
  }
}

// The side's items in sorted order: names, or values when `values` is set.
std::vector<Item> SortedItems(const Side& side, bool values) {
  std::vector<Item> items;
  for (const auto& [name, position] : side.sorted) {
    items.push_back(values ? side.values[position] : side.names[position]);
  }
  return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Side a, b;
  Decode(data, size, a, b);
  list2 inputs[4] = {MakeList(a.names), MakeList(a.values), MakeList(b.names),
                     MakeList(b.values)};
  list2 sorted[4] = {};
  const int result = diff_list2(inputs[0], inputs[1], inputs[2], inputs[3], &sorted[0],
                                &sorted[1], &sorted[2], &sorted[3]);
  Expect(result == ModelCompare(a, b), "the result", -1);
  ExpectItems(inputs[0], a.names, "input names of A");
  ExpectItems(inputs[1], a.values, "input values of A");
  ExpectItems(inputs[2], b.names, "input names of B");
  ExpectItems(inputs[3], b.values, "input values of B");
  ExpectItems(sorted[0], SortedItems(a, false), "sorted names of A");
  ExpectItems(sorted[1], SortedItems(a, true), "sorted values of A");
  ExpectItems(sorted[2], SortedItems(b, false), "sorted names of B");
  ExpectItems(sorted[3], SortedItems(b, true), "sorted values of B");
  for (list2 list : inputs) list2_delete(list);
  for (list2 list : sorted) list2_delete(list);
  return 0;
}
