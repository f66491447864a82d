// A host of the installed diff module in a few lines: it includes the public
// header and links the module and the host libraries, then compares two
// one-slot lists under the exact value rule and prints the verdict.
#include <cstdio>  // std::printf

#include <diff/diff.h>  // diff_set_value_rule, diff_list2, list2_create, ...

namespace {

// A list holding one name, or one value.
list2 OneItem(const char* text) {
  list2 list = list2_create();
  list2_append_to_end(list, text, 0);
  return list;
}

}  // namespace

int main() {
  if (diff_set_value_rule(DIFF_VALUE_RULE_EXACT, 0.0) != 1) return 2;
  list2 lists[] = {OneItem("speed"), OneItem("1450 rpm"), OneItem("speed"), OneItem("1451 rpm")};
  list2 sorted[4] = {};
  const int differ =
      diff_list2(lists[0], lists[1], lists[2], lists[3], &sorted[0], &sorted[1], &sorted[2],
                 &sorted[3]);
  std::printf("consumer: the lists %s\n", differ == 1 ? "differ" : "are the same");
  for (list2 list : lists) list2_delete(list);
  for (list2 list : sorted) list2_delete(list);
  return differ == 1 ? 0 : 1;
}
