// What `odbdiff show` and `odbdiff git-diff` share: comparing two object
// files, or some of their objects, and printing the text of
// show_text_output.h on standard output.
#ifndef ODBDIFF_OUTPUTS_TEXT_SHOW_DIFFERENCES_H_
#define ODBDIFF_OUTPUTS_TEXT_SHOW_DIFFERENCES_H_

#include <string>  // std::string
#include <vector>  // std::vector

#include "module/module_binding.h"    // PathShown
#include "outputs/text/show_text_write.h"  // ShowSources
#include "request/command_line.h"     // ComparisonOptions

namespace odbdiff {

// True when --color `when` (auto, always or never) colours the text: auto
// colours on a terminal, and `pager` (git's pager is in use) counts as one;
// never when NO_COLOR is set and not empty.
bool ShowInColor(const std::string& when, bool pager);

struct ShowPlan {
  ShowSources sources;              // the files as opened, the heading
  std::string name_a;               // the files as given, for messages
  std::string name_b;
  std::vector<std::string> objects;  // every object without any
  bool color = false;
};

// Compares and prints. Returns kSame or kDiffer; throws Failure on trouble,
// before anything is printed.
int ShowDifferences(const ShowPlan& plan, const ComparisonOptions& options);

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_TEXT_SHOW_DIFFERENCES_H_
