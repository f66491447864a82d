// The side-by-side walk over two sorted name lists that a comparison has
// marked: at each step, first the run of names only in A, then the run of
// names only in B, then the next name in both.
#ifndef DIFF_FILEDIFF_MARKED_WALK_H_
#define DIFF_FILEDIFF_MARKED_WALK_H_

#include <cstdint>  // std::int64_t

#include "diff/diff.h"                 // DIFF_STATUS_DIFFERENT, DIFF_STATUS_SAME
#include "diff/host/list_library.h"   // CStrList

namespace diff {

// Calls only_in_a(i) for every A name marked different, only_in_b(j) for
// every B name marked different and in_both(i, j) for every pair of names
// marked same, in sorted order as described above, where a_status(i) and
// b_status(j) give the status codes of the `count_a` A names and the
// `count_b` B names. An item whose status is neither code is passed over, so
// the walk always ends.
template <typename StatusA, typename StatusB, typename OnlyInA, typename OnlyInB,
          typename InBoth>
void walk_marks(int count_a, int count_b, StatusA a_status, StatusB b_status, OnlyInA only_in_a,
                OnlyInB only_in_b, InBoth in_both) {
  int i = 0;
  int j = 0;
  while (i < count_a || j < count_b) {
    const int i_before = i;
    const int j_before = j;
    while (i < count_a && a_status(i) == DIFF_STATUS_DIFFERENT) only_in_a(i++);
    while (j < count_b && b_status(j) == DIFF_STATUS_DIFFERENT) only_in_b(j++);
    if (i < count_a && a_status(i) == DIFF_STATUS_SAME) {
      in_both(i, j);
      ++i;
      ++j;
    }
    if (i == i_before && j == j_before) {
      // Stuck: A's current item carries no status code, or B's current item
      // has no partner left in A. Step over the items that cannot be taken.
      const bool a_stuck = i < count_a;
      const bool b_stuck = j < count_b && b_status(j) != DIFF_STATUS_SAME;
      if (a_stuck) ++i;
      if (b_stuck || !a_stuck) ++j;
    }
  }
}

// The data word of item `position` of a marked list: its status code (0 past
// the end).
inline std::int64_t status_at(CStrList& list, int position) {
  std::int64_t data = 0;
  list.GetTextAt(position, &data);
  return data;
}

// walk_marks over sorted name lists whose data words hold the status codes.
template <typename OnlyInA, typename OnlyInB, typename InBoth>
void walk_marked_names(CStrList& a_names, CStrList& b_names, OnlyInA only_in_a,
                       OnlyInB only_in_b, InBoth in_both) {
  walk_marks(
      a_names.GetLength(), b_names.GetLength(), [&](int i) { return status_at(a_names, i); },
      [&](int j) { return status_at(b_names, j); }, only_in_a, only_in_b, in_both);
}

}  // namespace diff

#endif  // DIFF_FILEDIFF_MARKED_WALK_H_
