#include "diff/options/pattern_index.h"

#include <optional>  // std::optional, a pattern's literal form and first byte
#include <utility>   // std::move

#include "diff/options/glob_pattern.h"  // glob_literal, glob_first_byte

namespace diff {

void PatternIndex::add(std::string_view pattern, std::size_t id) {
  ++count_;
  if (std::optional<std::string> literal = glob_literal(pattern)) {
    literals_[std::move(*literal)].push_back(id);
    return;
  }
  Glob glob{std::string(pattern), id};
  if (const std::optional<unsigned char> first = glob_first_byte(pattern)) {
    by_first_byte_[*first].push_back(std::move(glob));
  } else {
    always_.push_back(std::move(glob));
  }
}

bool PatternIndex::any_glob_matches(const std::vector<Glob>& globs, std::string_view name) {
  for (const Glob& glob : globs) {
    if (glob_matches(glob.pattern, name)) return true;
  }
  return false;
}

bool PatternIndex::matches_any(std::string_view name) const {
  if (count_ == 0) return false;
  if (literals_.find(name) != literals_.end()) return true;
  if (!name.empty() && any_glob_matches(by_first_byte_[static_cast<unsigned char>(name[0])], name)) {
    return true;
  }
  return any_glob_matches(always_, name);
}

}  // namespace diff
