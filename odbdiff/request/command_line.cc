#include "request/command_line.h"  // ParseCommandLine and the requests

#include <charconv>          // std::from_chars, the numbers of --shard and --jobs
#include <limits>            // std::numeric_limits, the largest number of jobs
#include <cstdlib>           // std::strtod, the tolerance's check
#include <initializer_list>  // the reports that may go to standard output
#include <optional>          // std::optional
#include <string>            // std::string
#include <vector>            // std::vector

#include <CLI/CLI.hpp>  // CLI::App, CLI::ParseError

#include "platform/failure.h"  // kTrouble, ReportFailure
#include "request/slot_rule_options.h"  // ParseSlotRuleOption

namespace odbdiff {
namespace {

constexpr char kDescription[] =
    "Compares two object files, or two projects of them, with the diff module, and converts "
    "object files to and from their JSON form.";
constexpr char kExitStatuses[] =
    "Exit status: 0 when the files are the same (or the command did its work), 1 when they "
    "differ (merge: when conflicts remain), 2 on trouble.";

// An option that sets an optional text when given.
CLI::Option* AddOptionalText(CLI::App* command, const char* name,
                             std::optional<std::string>& value, const std::string& description,
                             const char* type_name) {
  return command
      ->add_option_function<std::string>(
          name, [&value](const std::string& text) { value = text; }, description)
      ->type_name(type_name);
}

// --html FILE and the options that shape the HTML report, which need it.
CLI::Option* AddHtmlOptions(CLI::App* command, HtmlReportRequest& request,
                            const char* what_is_reported) {
  CLI::Option* html = AddOptionalText(
      command, "--html", request.report,
      std::string("write the HTML report of ") + what_is_reported + " to FILE", "FILE");
  AddOptionalText(command, "--template", request.template_file,
                  "build the HTML report from template T instead of the default one", "T")
      ->needs(html);
  command->add_flag("--show-all", request.show_all, "also show the slots whose values are equal")
      ->needs(html);
  command->add_option("--a-title", request.a_title, "title of the A columns (default A)")
      ->type_name("T")
      ->needs(html);
  command->add_option("--b-title", request.b_title, "title of the B columns (default B)")
      ->type_name("T")
      ->needs(html);
  return html;
}

// The options that steer a comparison and, `with_outputs`, its
// machine-readable outputs, shared by the compare commands.
void AddComparisonOptions(CLI::App* command, ComparisonOptions& options,
                          bool with_outputs = true, bool with_accept = true) {
  command
      ->add_option_function<std::string>(
          "--value-rule", [&options](const std::string& rule) { options.value_rule = rule; },
          "when two values are equal: numeric (the default: numbers as a whole with equal units "
          "within the tolerance, other texts byte for byte), tolerant (the diff module's own "
          "rule: leading numbers within the tolerance, whatever follows them) or exact (byte for "
          "byte)")
      ->type_name("RULE")
      ->check(CLI::IsMember({"tolerant", "numeric", "exact"}));
  command
      ->add_option_function<double>(
          "--tolerance", [&options](double percent) { options.tolerance_percent = percent; },
          "relative tolerance in percent of the larger magnitude, at least 0 and below 100 "
          "(default 2); not with --value-rule exact")
      ->type_name("PCT")
      ->check(CLI::Validator(
          [](const std::string& text) {
            char* end = nullptr;
            const double percent = std::strtod(text.c_str(), &end);
            const bool whole = !text.empty() && end == text.c_str() + text.size();
            return whole && percent >= 0.0 && percent < 100.0
                       ? std::string()
                       : text + " is not a percentage from 0 to below 100";
          },
          "", ""));
  command->add_option("--ignore-object", options.ignore_objects,
                      "leave out the objects whose names match GLOB (repeatable)")
      ->type_name("GLOB")
      ->allow_extra_args(false);
  command->add_option("--ignore-slot", options.ignore_slots,
                      "leave out the slots whose names match GLOB, or with OBJECT_GLOB:SLOT_GLOB "
                      "only in the matching objects; write a ':' of a name as \\: (repeatable)")
      ->type_name("GLOB")
      ->allow_extra_args(false);
  command->add_option("--slot-rule", options.slot_rules,
                      "RULE is [OBJECT_GLOB:]SLOT_GLOB=SETTINGS: judge the values of the "
                      "matching slots by SETTINGS, commas between: a rule (exact, numeric, "
                      "tolerant or units: numbers converted between units), relative=PCT, "
                      "absolute=NUMBER, "
                      "case=exact|ignore, lists=ordered|unordered|set; unnamed settings are the "
                      "run's; the first matching rule wins (repeatable)")
      ->type_name("RULE")
      ->allow_extra_args(false)
      ->check(CLI::Validator(
          [](const std::string& text) {
            std::string fault;
            return ParseSlotRuleOption(text, fault) ? std::string() : fault;
          },
          "", ""));
  AddOptionalText(command, "--rules", options.rules_file,
                  "read the value rule, tolerance, ignore patterns and slot rules from the JSON "
                  "FILE; the command line adds to it",
                  "FILE");
  if (with_outputs) {
    AddOptionalText(command, "--json", options.json,
                    "write every difference as one JSON document to FILE (- for standard output)",
                    "FILE");
  }
  if (with_accept) {
    AddOptionalText(command, "--accept", options.accept,
                    "leave out the differences of FILE, a document written by --json or a part "
                    "of one",
                    "FILE");
  }
  command->add_flag("--verify-inputs", options.verify_inputs,
                    "check both object files with SQLite's quick check before comparing them, "
                    "for damage that reading them does not reveal");
  if (with_outputs) {
    command->add_flag("--stat", options.stat,
                      "print the counts of objects and slots found, then the value rule, on "
                      "standard output");
  }
}

// --color WHEN of the commands that print differences.
void AddColorOption(CLI::App* command, std::string& color) {
  command
      ->add_option("--color", color,
                   "colour the differences: auto (the default: on a terminal, unless NO_COLOR is "
                   "set), always or never")
      ->type_name("WHEN")
      ->check(CLI::IsMember({"auto", "always", "never"}));
}

// At most one object file comes from standard input ("-").
bool AtMostOneStandardInput(const std::string& file_a, const std::string& file_b) {
  if (file_a != "-" || file_b != "-") return true;
  ReportFailure("at most one object file can come from standard input (-) (see odbdiff --help)");
  return false;
}

// Refuses what the parser cannot: a tolerance with the exact value rule.
bool ComparisonOptionsValid(const ComparisonOptions& options) {
  if (options.value_rule == "exact" && options.tolerance_percent) {
    ReportFailure("--tolerance has no effect with --value-rule exact (see odbdiff --help)");
    return false;
  }
  return true;
}

// At most one report may go to standard output ("-").
bool AtMostOneStandardOutput(std::initializer_list<const std::optional<std::string>*> reports) {
  int to_standard_output = 0;
  for (const std::optional<std::string>* report : reports) {
    if (*report == "-") ++to_standard_output;
  }
  if (to_standard_output <= 1) return true;
  ReportFailure("at most one report can go to standard output (-) (see odbdiff --help)");
  return false;
}

// A required positional argument, shown in help by its name alone.
void AddPositional(CLI::App* command, const char* name, std::string& value,
                   const char* description) {
  command->add_option(name, value, description)->type_name("")->required();
}

void AddImport(CLI::App& app, ImportRequest& request) {
  CLI::App* command = app.add_subcommand("import", "Build an object file from its JSON form.");
  AddPositional(command, "IN.json", request.json_file, "the JSON form to read");
  AddPositional(command, "OUT.odb", request.object_file,
                "the object file to write; an existing object file there is replaced");
}

void AddExport(CLI::App& app, ExportRequest& request) {
  CLI::App* command = app.add_subcommand(
      "export", "Write the JSON form of an object file to standard output or to a file.");
  AddPositional(command, "IN.odb", request.object_file, "the object file to read");
  AddOptionalText(command, "-o,--output", request.output,
                  "write it to FILE instead, which is replaced only once complete", "FILE");
  command->add_flag("--sorted", request.sorted,
                    "write objects and slots in byte-wise order of their names, so that files of "
                    "the same content export alike (for git's textconv)");
}

void AddCompare(CLI::App& app, CompareRequest& request) {
  CLI::App* command = app.add_subcommand(
      "compare",
      "Compare object files A and B; the diff module prints its progress on standard output, "
      "and without a report, --keep-difference-dbs or --json the counts of --stat follow.");
  AddPositional(command, "A.odb", request.file_a, "object file A");
  AddPositional(command, "B.odb", request.file_b, "object file B");
  AddOptionalText(command, "--text-report", request.text_report,
                  "write the detailed text report to FILE", "FILE");
  AddOptionalText(command, "--summary", request.summary, "write the summary report to FILE",
                  "FILE");
  AddOptionalText(command, "--keep-difference-dbs", request.kept_folder,
                  "make the three difference databases in DIR (created when absent) and keep them",
                  "DIR");
  CLI::Option* quiet = command->add_flag(
      "-q,--quiet", request.quiet,
      "print neither the module's lines nor a progress bar, nor the counts that stand in for "
      "a report");
  CLI::Option* verbose = command->add_flag(
      "-v,--verbose", request.verbose,
      "on a terminal, print every line of the module instead of a progress bar");
  quiet->excludes(verbose);
  AddHtmlOptions(command, request.html, "the two files");
  AddComparisonOptions(command, request.comparison);
}

void AddCompareObject(CLI::App& app, CompareObjectRequest& request) {
  CLI::App* command = app.add_subcommand(
      "compare-object",
      "Compare one object's slots in A and B and write them as a two-sided table, an HTML "
      "report or both.");
  AddPositional(command, "A.odb", request.file_a, "object file A");
  AddPositional(command, "B.odb", request.file_b, "object file B");
  AddPositional(command, "OBJECT", request.object, "the object's name");
  AddOptionalText(command, "--table", request.table, "write the two-sided table to FILE", "FILE");
  AddHtmlOptions(command, request.html, "the object");
  AddComparisonOptions(command, request.comparison);
}

// "I/N" with 1 <= I <= N; none for any other text.
std::optional<Shard> ParseShard(const std::string& text) {
  const std::size_t slash = text.find('/');
  if (slash == std::string::npos) return std::nullopt;
  int index = 0;
  int count = 0;
  const char* end = text.data() + text.size();
  const auto [index_end, index_error] = std::from_chars(text.data(), text.data() + slash, index);
  const auto [count_end, count_error] = std::from_chars(text.data() + slash + 1, end, count);
  if (index_error != std::errc() || index_end != text.data() + slash ||
      count_error != std::errc() || count_end != end || index < 1 || index > count) {
    return std::nullopt;
  }
  return Shard{index, count};
}

// --files GLOB of the project commands, which must pair files alike.
void AddFilesOption(CLI::App* command, std::vector<std::string>& globs, const char* more = "") {
  command
      ->add_option("--files", globs,
                   std::string("the project's files are those whose names match GLOB (fnmatch, "
                               "the name alone), paired by name, instead of PROJ, PROJ0001, ... "
                               "(repeatable)") +
                       more)
      ->type_name("GLOB")
      ->allow_extra_args(false);
}

void AddCompareProject(CLI::App& app, CompareProjectRequest& request) {
  CLI::App* command = app.add_subcommand(
      "compare-project",
      "Compare the numbered files PROJ, PROJ0001, ... (or those of --files) of folders A and B "
      "and write the HTML report of the project.");
  AddPositional(command, "DIR_A", request.folder_a, "the folder of project A");
  AddPositional(command, "DIR_B", request.folder_b, "the folder of project B");
  AddFilesOption(command, request.file_globs);
  CLI::Option* html = AddHtmlOptions(command, request.html, "the project");
  AddComparisonOptions(command, request.comparison);
  command
      ->add_option_function<int>(
          "--jobs", [&request](int jobs) { request.jobs = jobs; },
          "compare N pairs of files at a time, each in a process of its own (default: the "
          "number of processors)")
      ->type_name("N")
      ->check(CLI::Validator(
          [](const std::string& text) {
            int jobs = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), jobs);
            return error == std::errc() && end == text.data() + text.size() && jobs >= 1
                       ? std::string()
                       : text + " is not a number of jobs from 1 to " +
                             std::to_string(std::numeric_limits<int>::max());
          },
          "", ""));
  CLI::Option* shard =
      command
          ->add_option_function<std::string>(
              "--shard", [&request](const std::string& text) { request.shard = ParseShard(text); },
              "compare only share I of N of the pairs of files (every N-th pair from the I-th)")
          ->type_name("I/N")
          ->check(CLI::Validator(
              [](const std::string& text) {
                return ParseShard(text) ? std::string() : text + " is not a share I/N, 1 <= I <= N";
              },
              "", ""));
  CLI::Option* partial =
      AddOptionalText(command, "--partial", request.partial,
                      "write the partial result of the share to the folder DIR, for "
                      "assemble-project",
                      "DIR");
  shard->needs(partial);
  partial->needs(shard)->excludes(html)->excludes("--json")->excludes("--stat");
}

void AddAssembleProject(CLI::App& app, AssembleProjectRequest& request) {
  CLI::App* command = app.add_subcommand(
      "assemble-project",
      "Write the HTML report of a project from the partial results of compare-project --shard, "
      "as one compare-project writes it.");
  AddPositional(command, "DIR_A", request.folder_a, "the folder of project A");
  AddPositional(command, "DIR_B", request.folder_b, "the folder of project B");
  command->add_option("PARTIAL_DIR", request.partials, "the partial results, one per share")
      ->type_name("")
      ->required();
  AddFilesOption(command, request.file_globs, "; those the shares were given");
  AddHtmlOptions(command, request.html, "the project")->required();
}

void AddShow(CLI::App& app, ShowRequest& request) {
  CLI::App* command = app.add_subcommand(
      "show",
      "Print the differences of object files A and B, slot by slot, then the counts and the "
      "value rule, on standard output.");
  AddPositional(command, "A.odb", request.file_a, "object file A (- for standard input)");
  AddPositional(command, "B.odb", request.file_b, "object file B (- for standard input)");
  command->add_option("OBJECT", request.objects, "only these objects (all without any)")
      ->type_name("");
  AddColorOption(command, request.color);
  command->add_flag("--explain", request.explain,
                    "after each slot whose values differ, the rule that judged them and what it "
                    "compared");
  AddComparisonOptions(command, request.comparison, /*with_outputs=*/false);
}

void AddGitDiff(CLI::App& app, GitDiffRequest& request) {
  CLI::App* command = app.add_subcommand(
      "git-diff",
      "Print what show prints, for the arguments git gives a diff driver's command or "
      "GIT_EXTERNAL_DIFF (PATH OLD-FILE OLD-HEX OLD-MODE NEW-FILE NEW-HEX NEW-MODE) or git "
      "difftool --extcmd (LOCAL REMOTE); exits 0 unless in trouble, as git wants.");
  command->add_option("ARGUMENTS", request.arguments, "the arguments from git")
      ->type_name("")
      ->required();
  AddColorOption(command, request.color);
  AddComparisonOptions(command, request.comparison, /*with_outputs=*/false);
}

void AddPatch(CLI::App& app, PatchRequest& request) {
  CLI::App* command = app.add_subcommand(
      "patch",
      "Apply a JSON of differences (compare --json) to object file A and write the result to "
      "OUT; nothing is written when a difference does not match what A holds.");
  AddPositional(command, "A.odb", request.file_a, "the object file to patch (- for standard input)");
  AddPositional(command, "DIFFERENCES.json", request.differences,
                "the JSON of differences, or a part of one");
  command->add_option("-o,--output", request.out, "the object file to write")
      ->type_name("OUT.odb")
      ->required();
  command->add_flag("--reverse", request.reverse,
                    "apply the differences from B to A: A.odb holds B's side");
}

// The options that merge and git-merge share: --conflicts, --favor and the
// comparison options that decide what counts as a change.
void AddMergeOptions(CLI::App* command, std::optional<std::string>& conflicts,
                     std::optional<std::string>& favor, ComparisonOptions& comparison) {
  AddOptionalText(command, "--conflicts", conflicts,
                  "write the conflicts as one JSON document to FILE", "FILE");
  AddOptionalText(command, "--favor", favor,
                  "resolve each conflict with the side of ours or theirs (without: ours' side, "
                  "and the conflicts are reported)",
                  "SIDE")
      ->check(CLI::IsMember({"ours", "theirs"}));
  AddComparisonOptions(command, comparison, /*with_outputs=*/false, /*with_accept=*/false);
}

void AddMerge(CLI::App& app, MergeRequest& request) {
  CLI::App* command = app.add_subcommand(
      "merge",
      "Merge the changes that OURS and THEIRS made to BASE, object by object and slot by slot, "
      "into OUT; conflicts go to standard error and exit with 1.");
  AddPositional(command, "BASE.odb", request.base, "the common ancestor");
  AddPositional(command, "OURS.odb", request.ours, "one changed version");
  AddPositional(command, "THEIRS.odb", request.theirs, "the other changed version");
  command->add_option("-o,--output", request.out, "the merged object file to write")
      ->type_name("OUT.odb")
      ->required();
  AddMergeOptions(command, request.conflicts, request.favor, request.comparison);
}

void AddGitMerge(CLI::App& app, GitMergeRequest& request) {
  CLI::App* command = app.add_subcommand(
      "git-merge",
      "Merge as merge does, for the arguments git gives a merge driver (%O %A %B %P): the "
      "merged file replaces %A; exits 1 when conflicts remain.");
  command->add_option("ARGUMENTS", request.arguments, "the arguments from git")
      ->type_name("")
      ->required();
  AddMergeOptions(command, request.conflicts, request.favor, request.comparison);
}

}  // namespace

std::variant<Command, int> ParseCommandLine(int argc, char** argv) {
  CLI::App app(kDescription, "odbdiff");
  app.footer(kExitStatuses);
  app.set_version_flag("--version", "odbdiff " ODBDIFF_VERSION);
  app.require_subcommand(1);

  ImportRequest import_request;
  ExportRequest export_request;
  CompareRequest compare_request;
  CompareObjectRequest compare_object_request;
  CompareProjectRequest compare_project_request;
  ShowRequest show_request;
  GitDiffRequest git_diff_request;
  AssembleProjectRequest assemble_project_request;
  PatchRequest patch_request;
  MergeRequest merge_request;
  GitMergeRequest git_merge_request;
  AddImport(app, import_request);
  AddExport(app, export_request);
  AddCompare(app, compare_request);
  AddCompareObject(app, compare_object_request);
  AddCompareProject(app, compare_project_request);
  AddShow(app, show_request);
  AddGitDiff(app, git_diff_request);
  AddAssembleProject(app, assemble_project_request);
  AddPatch(app, patch_request);
  AddMerge(app, merge_request);
  AddGitMerge(app, git_merge_request);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // Help and the version are printed by CLI11 on standard output.
    if (error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return app.exit(error);
    // CLI11 takes a misspelt command for a missing one.
    const std::vector<std::string> unknown = app.remaining();
    const std::string cause = app.get_subcommands().empty() && !unknown.empty()
                                  ? "no command " + unknown.front()
                                  : std::string(error.what());
    ReportFailure(cause + " (see odbdiff --help)");
    return kTrouble;
  }

  const std::string name = app.get_subcommands().front()->get_name();
  if (name == "import") {
    if (import_request.json_file == "-" || import_request.object_file == "-") {
      ReportFailure("import needs files: it takes no - for standard input or output (see odbdiff "
                    "--help)");
      return kTrouble;
    }
    return Command(import_request);
  }
  if (name == "export") return Command(export_request);
  if (name == "show") {
    if (!ComparisonOptionsValid(show_request.comparison) ||
        !AtMostOneStandardInput(show_request.file_a, show_request.file_b)) {
      return kTrouble;
    }
    return Command(show_request);
  }
  if (name == "git-diff") {
    const std::size_t count = git_diff_request.arguments.size();
    if (count != 1 && count != 2 && count != 7 && count != 9) {
      ReportFailure("git-diff takes the 7 (or 9) arguments of git's external diff or the 2 of git "
                    "difftool --extcmd, not " + std::to_string(count) + " (see odbdiff --help)");
      return kTrouble;
    }
    if (!ComparisonOptionsValid(git_diff_request.comparison)) return kTrouble;
    return Command(git_diff_request);
  }
  if (name == "compare") {
    if (!ComparisonOptionsValid(compare_request.comparison) ||
        !AtMostOneStandardInput(compare_request.file_a, compare_request.file_b) ||
        !AtMostOneStandardOutput({&compare_request.text_report, &compare_request.summary,
                                  &compare_request.html.report,
                                  &compare_request.comparison.json})) {
      return kTrouble;
    }
    return Command(compare_request);
  }
  if (name == "compare-project") {
    if (compare_project_request.folder_a == "-" || compare_project_request.folder_b == "-") {
      ReportFailure("compare-project needs folders: it takes no - for standard input (see "
                    "odbdiff --help)");
      return kTrouble;
    }
    const ComparisonOptions& options = compare_project_request.comparison;
    if (!ComparisonOptionsValid(options) ||
        !AtMostOneStandardOutput({&compare_project_request.html.report, &options.json})) {
      return kTrouble;
    }
    if (!compare_project_request.html.report && !options.json && !options.stat &&
        !compare_project_request.partial) {
      ReportFailure("compare-project needs --html, --json or --stat (see odbdiff --help)");
      return kTrouble;
    }
    return Command(compare_project_request);
  }
  if (name == "assemble-project") return Command(assemble_project_request);
  if (name == "patch") return Command(patch_request);
  if (name == "merge") {
    if (!ComparisonOptionsValid(merge_request.comparison)) return kTrouble;
    return Command(merge_request);
  }
  if (name == "git-merge") {
    const std::size_t count = git_merge_request.arguments.size();
    if (count != 4) {
      ReportFailure("git-merge takes the 4 arguments %O %A %B %P of a git merge driver, not " +
                    std::to_string(count) + " (see odbdiff --help)");
      return kTrouble;
    }
    if (!ComparisonOptionsValid(git_merge_request.comparison)) return kTrouble;
    return Command(git_merge_request);
  }
  const ComparisonOptions& options = compare_object_request.comparison;
  if (!ComparisonOptionsValid(options) ||
      !AtMostOneStandardInput(compare_object_request.file_a, compare_object_request.file_b) ||
      !AtMostOneStandardOutput({&compare_object_request.table,
                                &compare_object_request.html.report, &options.json})) {
    return kTrouble;
  }
  if (!compare_object_request.table && !compare_object_request.html.report && !options.json &&
      !options.stat) {
    ReportFailure("compare-object needs --table, --html, --json or --stat (see odbdiff --help)");
    return kTrouble;
  }
  return Command(compare_object_request);
}

}  // namespace odbdiff
