#include "outputs/text/stat_output.h"  // StatOutput

#include "outputs/standard_output.h"  // WriteStandardOutput

namespace odbdiff {

void StatOutput::Commit() { WriteStandardOutput(StatLines(counts_.counts()) + value_rule_line_); }

}  // namespace odbdiff
