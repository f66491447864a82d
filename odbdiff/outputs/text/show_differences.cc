#include "outputs/text/show_differences.h"  // ShowDifferences, ShowInColor

#include <unistd.h>  // isatty, STDOUT_FILENO

#include <cstdlib>     // std::getenv
#include <filesystem>  // std::filesystem::temp_directory_path
#include <memory>      // std::make_unique
#include <set>         // std::set, objects named twice
#include <utility>     // std::move

#include "diff/diff.h"                    // DIFF_OBJECT_ONLY_IN_A, DIFF_OBJECT_ONLY_IN_B
#include "inputs/input_verification.h"    // VerifyObjectFile
#include "inputs/object_slots_compare.h"  // CompareObjectSlots, ComparedSlots
#include "inputs/object_slots_load.h"     // LoadSide
#include "module/comparison_context.h"    // ComparisonContext
#include "module/difference_feed.h"       // TypedSlotReader, FeedComparedObject, SortedSlots
#include "module/module_output.h"         // ModuleOutput, to silence the module's lines
#include "module/observed_comparison.h"   // ObservedComparison
#include "module/pair_module_setup.h"     // SetUpModuleForPair
#include "outputs/databases/kept_difference_dbs.h"  // DifferenceDbs
#include "outputs/output_list.h"          // OutputList
#include "outputs/text/show_text_output.h"     // ShowTextOutput
#include "platform/failure.h"             // Failure, kSame, kDiffer
#include "platform/scratch_folder.h"      // ScratchFolder, kTemporaryFolderPrefix

namespace odbdiff {
namespace {

// The whole files, as the module's file comparison walks them.
void CompareFiles(const DiffModule& module, const DifferencesWanted& wanted,
                  const ShowPlan& plan) {
  const std::vector<PathShown> shown{{plan.sources.file_a, plan.name_a},
                                     {plan.sources.file_b, plan.name_b}};
  ScratchFolder scratch(std::filesystem::temp_directory_path(), kTemporaryFolderPrefix);
  scratch.HoldScratchDatabases();
  const DifferenceDbs databases(scratch.path());
  ModuleOutput output(OutputMode::kSilent, 0);
  {
    const ComparisonContext context(module, /*keep_difference_dbs=*/false);
    ObservedComparison observed(module, wanted, plan.sources.file_a, plan.sources.file_b);
    module.diff_objfiles_ormo(plan.sources.file_a.c_str(), plan.sources.file_b.c_str(),
                              databases.a.c_str(), databases.b.c_str(),
                              databases.combined.c_str(), 0);
    observed.Finish(shown);
  }
  output.Finish();
}

// The objects named, in the order given, each once.
void CompareObjects(const DiffModule& module, DifferenceSink& sink, const ShowPlan& plan) {
  const std::string& file_a = plan.sources.file_a;
  const std::string& file_b = plan.sources.file_b;
  TypedSlotReader reader_a(file_a);
  TypedSlotReader reader_b(file_b);
  std::set<std::string> done;
  for (const std::string& object : plan.objects) {
    if (!done.insert(object).second || module.diff_is_ignored(object.c_str(), nullptr) != 0) {
      continue;
    }
    const LoadedSide side_a = LoadSide(file_a, object);
    const LoadedSide side_b = LoadSide(file_b, object);
    if (!side_a.found && !side_b.found) {
      throw Failure("object " + object + " is in neither " + plan.name_a + " nor " + plan.name_b);
    }
    if (!side_a.found || !side_b.found) {
      // An accepted absence is no difference, as in the comparison of whole files.
      const int kind = side_a.found ? DIFF_OBJECT_ONLY_IN_A : DIFF_OBJECT_ONLY_IN_B;
      if (module.diff_is_accepted(kind, object.c_str(), nullptr, nullptr, nullptr) == 0) {
        sink.ObjectOnlyIn(side_a.found ? Side::kA : Side::kB, object);
      }
      continue;
    }
    const ComparedSlots slots = CompareObjectSlots(module, object, side_a, side_b);
    FeedComparedObject(sink, object, SortedSlots(slots.a_names.get(), slots.a_values.get()),
                       SortedSlots(slots.b_names.get(), slots.b_values.get()), reader_a, reader_b);
  }
}

}  // namespace

bool ShowInColor(const std::string& when, bool pager) {
  if (when != "auto") return when == "always";
  const char* no_color = std::getenv("NO_COLOR");
  if (no_color != nullptr && *no_color != '\0') return false;
  return pager || isatty(STDOUT_FILENO) != 0;
}

int ShowDifferences(const ShowPlan& plan, const ComparisonOptions& options) {
  if (options.verify_inputs) {
    VerifyObjectFile(plan.sources.file_a, plan.name_a);
    VerifyObjectFile(plan.sources.file_b, plan.name_b);
  }
  const auto [rules, module] = SetUpModuleForPair(options);

  // The text is the one output.
  OutputList outputs;
  auto text = std::make_unique<ShowTextOutput>(plan.sources, plan.color, module);
  const ShowTextOutput& shown = *text;
  outputs.Add(std::move(text));
  outputs.Stage(rules);
  const DifferencesWanted wanted = outputs.Differences();
  if (plan.objects.empty()) {
    CompareFiles(module, wanted, plan);
  } else {
    CompareObjects(module, *wanted.sink, plan);
  }
  outputs.ComparisonDone();
  outputs.Commit();
  return shown.differ() ? kDiffer : kSame;
}

}  // namespace odbdiff
