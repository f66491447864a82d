// odbdiff's command line: its commands and their options.
#ifndef ODBDIFF_COMMAND_LINE_H_
#define ODBDIFF_COMMAND_LINE_H_

#include <optional>  // std::optional
#include <string>    // std::string
#include <variant>   // std::variant

namespace odbdiff {

// odbdiff import IN.json OUT.odb
struct ImportRequest {
  std::string json_file;
  std::string object_file;
};

// odbdiff export IN.odb
struct ExportRequest {
  std::string object_file;
};

// odbdiff compare A.odb B.odb [--text-report FILE] [--summary FILE]
//                 [--keep-difference-dbs DIR] [--quiet | --verbose]
struct CompareRequest {
  std::string file_a;
  std::string file_b;
  std::optional<std::string> text_report;
  std::optional<std::string> summary;
  std::optional<std::string> kept_folder;
  bool quiet = false;
  bool verbose = false;
};

// odbdiff compare-object A.odb B.odb OBJECT --table FILE
struct CompareObjectRequest {
  std::string file_a;
  std::string file_b;
  std::string object;
  std::string table;
};

using Command = std::variant<ImportRequest, ExportRequest, CompareRequest, CompareObjectRequest>;

// The command to run; or, when the command line itself ends the run, the
// exit status: 0 after help or the version was printed, kTrouble after a
// usage error was reported.
std::variant<Command, int> ParseCommandLine(int argc, char** argv);

}  // namespace odbdiff

#endif  // ODBDIFF_COMMAND_LINE_H_
