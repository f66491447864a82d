// Writing odbdiff's own results (JSON, help) to standard output, with every
// failed write turned into a Failure.
#ifndef ODBDIFF_OUTPUTS_STANDARD_OUTPUT_H_
#define ODBDIFF_OUTPUTS_STANDARD_OUTPUT_H_

#include <string_view>  // std::string_view

namespace odbdiff {

// Writes `text` to standard output. Throws Failure when the write fails.
void WriteStandardOutput(std::string_view text);

// Flushes standard output (stdio and iostreams). Throws Failure when this or
// any earlier write to standard output failed.
void FinishStandardOutput();

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_STANDARD_OUTPUT_H_
