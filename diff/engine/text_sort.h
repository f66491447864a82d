// Sorting texts in ascending byte order, the order of strcmp, keeping equal
// texts in their input order: the order in which list2_copy_sorted sorts.
#ifndef DIFF_ENGINE_TEXT_SORT_H_
#define DIFF_ENGINE_TEXT_SORT_H_

#include <cstdint>  // std::int64_t input indices
#include <span>     // std::span of the texts
#include <vector>   // std::vector of the results

namespace diff::engine {

// Fills `sorted` with the NUL-terminated `texts` in that order and `from`
// with the input index of each. The texts are not copied: `sorted` points
// at them.
void sort_texts_stably(std::span<const char* const> texts, std::vector<const char*>& sorted,
                       std::vector<std::int64_t>& from);

}  // namespace diff::engine

#endif  // DIFF_ENGINE_TEXT_SORT_H_
