// odbdiff's command line: its commands and their options.
#ifndef ODBDIFF_REQUEST_COMMAND_LINE_H_
#define ODBDIFF_REQUEST_COMMAND_LINE_H_

#include <optional>  // std::optional
#include <string>    // std::string
#include <variant>   // std::variant
#include <vector>    // std::vector, repeatable options

namespace odbdiff {

// odbdiff import IN.json OUT.odb
struct ImportRequest {
  std::string json_file;
  std::string object_file;
};

// odbdiff export IN.odb [-o FILE] [--sorted]
struct ExportRequest {
  std::string object_file;
  std::optional<std::string> output;  // standard output without it
  bool sorted = false;                // objects and slots in byte-wise name order
};

// The HTML report options of the compare commands:
// --html FILE [--template T] [--show-all] [--a-title T] [--b-title T]
struct HtmlReportRequest {
  std::optional<std::string> report;         // no HTML report without it
  std::optional<std::string> template_file;  // the default template without it
  bool show_all = false;
  std::string a_title = "A";
  std::string b_title = "B";
};

// The comparison options that compare, compare-object and compare-project
// share: what counts as a difference, and the machine-readable outputs.
struct ComparisonOptions {
  std::optional<std::string> value_rule;    // --value-rule tolerant|numeric|exact
  std::optional<double> tolerance_percent;  // --tolerance PCT
  std::vector<std::string> ignore_objects;  // --ignore-object GLOB, in order given
  std::vector<std::string> ignore_slots;    // --ignore-slot [OBJECT_GLOB:]SLOT_GLOB, as given
  std::vector<std::string> slot_rules;      // --slot-rule [OBJECT_GLOB:]SLOT_GLOB=SETTINGS
  std::optional<std::string> rules_file;    // --rules FILE, read before the options above
  std::optional<std::string> json;          // --json FILE, "-" for standard output
  std::optional<std::string> accept;        // --accept FILE
  bool stat = false;                        // --stat
  bool verify_inputs = false;               // --verify-inputs
};

// odbdiff compare A.odb B.odb [--text-report FILE] [--summary FILE]
//                 [--keep-difference-dbs DIR] [--quiet | --verbose]
//                 [HTML report options]
struct CompareRequest {
  std::string file_a;
  std::string file_b;
  std::optional<std::string> text_report;
  std::optional<std::string> summary;
  std::optional<std::string> kept_folder;
  bool quiet = false;
  bool verbose = false;
  HtmlReportRequest html;
  ComparisonOptions comparison;
};

// odbdiff compare-object A.odb B.odb OBJECT [--table FILE] [HTML report options];
// at least one of --table and --html.
struct CompareObjectRequest {
  std::string file_a;
  std::string file_b;
  std::string object;
  std::optional<std::string> table;
  HtmlReportRequest html;
  ComparisonOptions comparison;
};

// One share of a project's file pairs: --shard INDEX/COUNT, INDEX from 1.
struct Shard {
  int index = 1;
  int count = 1;
};

// odbdiff compare-project DIR_A DIR_B --html FILE [the other HTML report options]
//                         [--files GLOB]... [--jobs N] [--shard I/N --partial DIR]
struct CompareProjectRequest {
  std::string folder_a;
  std::string folder_b;
  std::vector<std::string> file_globs;  // --files GLOB; the numbered files without any
  HtmlReportRequest html;
  ComparisonOptions comparison;
  std::optional<int> jobs;             // the processors without it
  std::optional<Shard> shard;          // with partial
  std::optional<std::string> partial;  // the folder of the partial result
};

// odbdiff assemble-project DIR_A DIR_B PARTIAL_DIR... --html FILE [HTML report options]
//                          [--files GLOB]...
struct AssembleProjectRequest {
  std::string folder_a;
  std::string folder_b;
  std::vector<std::string> file_globs;  // as compare-project's
  std::vector<std::string> partials;
  HtmlReportRequest html;  // its report is always set
};

// odbdiff show A.odb B.odb [OBJECT...] [--color WHEN] [comparison options
// without --json and --stat]
struct ShowRequest {
  std::string file_a;
  std::string file_b;
  std::vector<std::string> objects;  // every object without any
  std::string color = "auto";        // auto, always or never
  bool explain = false;              // --explain: the rule that judged each differing slot
  ComparisonOptions comparison;
};

// odbdiff git-diff ARGUMENTS... [--color WHEN] [comparison options without
// --json and --stat]: the arguments git gives an external diff (7, or 9 for
// a renamed path, or 1 for an unmerged one) or git difftool --extcmd (2).
struct GitDiffRequest {
  std::vector<std::string> arguments;
  std::string color = "auto";
  ComparisonOptions comparison;
};

// odbdiff patch A.odb DIFFERENCES.json -o OUT.odb [--reverse]
struct PatchRequest {
  std::string file_a;
  std::string differences;
  std::string out;
  bool reverse = false;  // apply B -> A
};

// odbdiff merge BASE.odb OURS.odb THEIRS.odb -o OUT.odb [--conflicts FILE]
//               [--favor ours|theirs] [comparison options without --json,
//               --stat and --accept]
struct MergeRequest {
  std::string base;
  std::string ours;
  std::string theirs;
  std::string out;
  std::optional<std::string> conflicts;
  std::optional<std::string> favor;  // "ours" or "theirs"; conflicts stand without it
  ComparisonOptions comparison;
};

// odbdiff git-merge %O %A %B %P [--conflicts FILE] [--favor ours|theirs]
//                   [comparison options as merge's]: git's merge driver.
struct GitMergeRequest {
  std::vector<std::string> arguments;  // base, ours (also the result), theirs, the path
  std::optional<std::string> conflicts;
  std::optional<std::string> favor;
  ComparisonOptions comparison;
};

using Command = std::variant<ImportRequest, ExportRequest, CompareRequest, CompareObjectRequest,
                             CompareProjectRequest, ShowRequest, GitDiffRequest,
                             AssembleProjectRequest, PatchRequest, MergeRequest, GitMergeRequest>;

// The command to run; or, when the command line itself ends the run, the
// exit status: 0 after help or the version was printed, kTrouble after a
// usage error was reported.
std::variant<Command, int> ParseCommandLine(int argc, char** argv);

}  // namespace odbdiff

#endif  // ODBDIFF_REQUEST_COMMAND_LINE_H_
