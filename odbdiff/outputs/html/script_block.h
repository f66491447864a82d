// odbdiff's JSON blocks in its HTML reports: a script element of type
// application/json that the template's script finds by its id.
#ifndef ODBDIFF_OUTPUTS_HTML_SCRIPT_BLOCK_H_
#define ODBDIFF_OUTPUTS_HTML_SCRIPT_BLOCK_H_

#include <string>       // std::string
#include <string_view>  // std::string_view

namespace odbdiff {

// `json` in a script element with `id`, on lines of their own, ending with a
// newline. Every "<" is written \u003c, so that nothing in a string can end
// the element; "<" stands only inside strings, where \u003c reads the same.
inline std::string ScriptBlockOf(std::string_view id, std::string_view json) {
  std::string block = "<script type=\"application/json\" id=\"";
  block += id;
  block += "\">\n";
  block.reserve(block.size() + json.size() + 12);
  for (const char c : json) {
    if (c == '<') {
      block += "\\u003c";
    } else {
      block += c;
    }
  }
  return block + "\n</script>\n";
}

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_HTML_SCRIPT_BLOCK_H_
