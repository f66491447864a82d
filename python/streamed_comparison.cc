#include "streamed_comparison.h"  // StreamedComparison

#include <malloc.h>  // mallopt, M_ARENA_MAX, M_TOP_PAD
#include <unistd.h>  // sbrk

#include <exception>   // std::exception
#include <filesystem>  // std::filesystem::temp_directory_path
#include <vector>      // std::vector

#include "heap_huge_pages.h"                          // AdviseHugePages
#include "module/comparison_context.h"              // ComparisonContext
#include "module/observed_comparison.h"             // ObservedComparison
#include "module/pair_module_setup.h"               // SetUpModuleForPair
#include "outputs/databases/kept_difference_dbs.h"  // DifferenceDbs
#include "outputs/text/difference_counts.h"         // DifferenceCounts
#include "platform/failure.h"                       // Failure, FailureLine, FailureCause
#include "platform/scratch_folder.h"                // ScratchFolder, kTemporaryFolderPrefix
#include "platform/speed_ups.h"                     // SpeedUps
#include "queued_differences.h"                     // QueuedDifferences
#include "request/input_checks.h"                   // CheckObjectFileInput, CheckComparisonInputs
#include "stdio_discard.h"                          // StdioDiscard

namespace odbdiff::python {

namespace fs = std::filesystem;

StreamedComparison::StreamedComparison(const std::string& file_a, const std::string& file_b,
                                       const ComparisonOptions& options)
    : file_a_(file_a), file_b_(file_b) {
  CheckObjectFileInput(file_a_);
  CheckObjectFileInput(file_b_);
  std::vector<std::string> inputs{file_a_, file_b_};
  CheckComparisonInputs(options, inputs);
  slot_.emplace(std::move(inputs));
  const DiffModule& module = SetUpModuleForPair(options).module;
  // The comparing thread takes its heap from malloc's main arena, as
  // odbdiff's one thread does: an arena of its own grows in mappings whose
  // every fresh page faults (a fifth more time for a million objects), and
  // the heap prefault of SpeedUps grows the main arena only. Once a thread
  // has its arena, the limit no longer matters to it; the process keeps the
  // one arena (docs/python.md).
  mallopt(M_ARENA_MAX, 1);
  comparing_ = std::thread([this, bound = &module] { Run(*bound); });
}

StreamedComparison::~StreamedComparison() { Close(); }

void StreamedComparison::Close() {
  if (comparing_.joinable()) {
    queue_.Cancel();
    comparing_.join();
  }
  slot_.reset();
}

void StreamedComparison::Run(const DiffModule& module) {
  ComparisonOutcome outcome;
  try {
    void* const heap_end = sbrk(0);
    SpeedUps speed_ups(file_a_, file_b_);
    AdviseHugePages(heap_end, sbrk(0));
    // The difference databases go with the folder; nothing reads them.
    ScratchFolder scratch(fs::temp_directory_path(), kTemporaryFolderPrefix);
    scratch.HoldScratchDatabases();
    const DifferenceDbs databases(scratch.path());
    DifferenceCounts counts;
    QueuedDifferences queued(queue_, file_a_, file_b_, module);
    DifferenceFanOut sinks;
    sinks.Add(counts);
    sinks.Add(queued);
    {
      const ComparisonContext context(module, /*keep_difference_dbs=*/false);
      ObservedComparison observed(module, {.sink = &sinks, .typed_values = true}, file_a_,
                                  file_b_);
      int differ = 0;
      {
        const StdioDiscard module_lines;
        differ = module.diff_objfiles_ormo(file_a_.c_str(), file_b_.c_str(), databases.a.c_str(),
                                           databases.b.c_str(), databases.combined.c_str(), 0);
      }
      observed.Finish({});
      outcome.differ = differ != 0;
    }
    speed_ups.ComparisonDone();
    // The prefault left the heap's padding at the comparison's size; the
    // Python process goes on with glibc's default (128 KiB), and gives its
    // memory back.
    mallopt(M_TOP_PAD, 128 * 1024);
    outcome.counts = counts.counts();
  } catch (const ReaderGone&) {
    // Closed before its end: nobody asks for the outcome.
  } catch (const std::exception& failure) {
    outcome.failure = FailureLine(FailureCause(failure));
  }
  queue_.End(std::move(outcome));
}

}  // namespace odbdiff::python
