// A set of glob patterns, each carrying a number, indexed so that matching a
// name does not try every pattern: patterns without a wildcard are looked up
// in a hash table, the others are tried only when the name begins with their
// first byte (those beginning with a wildcard or a set always).
#ifndef DIFF_OPTIONS_PATTERN_INDEX_H_
#define DIFF_OPTIONS_PATTERN_INDEX_H_

#include <array>          // std::array, the buckets by first byte
#include <cstddef>        // std::size_t
#include <functional>     // std::equal_to<>, transparent lookups
#include <string>         // std::string
#include <string_view>    // std::string_view
#include <unordered_map>  // std::unordered_map, the literal patterns
#include <vector>         // std::vector

#include "diff/options/glob_pattern.h"  // glob_matches

namespace diff {

class PatternIndex {
 public:
  // Adds `pattern` with the number `id`.
  void add(std::string_view pattern, std::size_t id);

  bool empty() const { return count_ == 0; }

  // True when some pattern matches `name` as a whole.
  bool matches_any(std::string_view name) const;

  // Calls visit(id) for every pattern that matches `name` (an id once per
  // pattern added).
  template <typename Visit>
  void for_each_match(std::string_view name, Visit visit) const {
    if (const auto found = literals_.find(name); found != literals_.end()) {
      for (const std::size_t id : found->second) visit(id);
    }
    if (!name.empty()) visit_globs(by_first_byte_[static_cast<unsigned char>(name[0])], name, visit);
    visit_globs(always_, name, visit);
  }

 private:
  struct Glob {
    std::string pattern;
    std::size_t id;
  };
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };

  static bool any_glob_matches(const std::vector<Glob>& globs, std::string_view name);

  template <typename Visit>
  static void visit_globs(const std::vector<Glob>& globs, std::string_view name, Visit& visit) {
    for (const Glob& glob : globs) {
      if (glob_matches(glob.pattern, name)) visit(glob.id);
    }
  }

  std::unordered_map<std::string, std::vector<std::size_t>, TextHash, std::equal_to<>> literals_;
  std::array<std::vector<Glob>, 256> by_first_byte_;
  std::vector<Glob> always_;
  std::size_t count_ = 0;
};

}  // namespace diff

#endif  // DIFF_OPTIONS_PATTERN_INDEX_H_
