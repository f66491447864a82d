#include "command_line.h"  // ParseCommandLine and the requests

#include <string>  // std::string
#include <vector>  // std::vector

#include <CLI/CLI.hpp>  // CLI::App, CLI::ParseError

#include "failure.h"  // kTrouble, ReportFailure

namespace odbdiff {
namespace {

constexpr char kDescription[] =
    "Compares two object files with the diff module, and converts object files to and from "
    "their JSON form.";
constexpr char kExitStatuses[] =
    "Exit status: 0 when the files are the same (or the command did its work), 1 when they "
    "differ, 2 on trouble.";

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
      "export", "Write the JSON form of an object file to standard output.");
  AddPositional(command, "IN.odb", request.object_file, "the object file to read");
}

void AddCompare(CLI::App& app, CompareRequest& request) {
  CLI::App* command = app.add_subcommand(
      "compare",
      "Compare object files A and B; the diff module prints its progress on standard output.");
  AddPositional(command, "A.odb", request.file_a, "object file A");
  AddPositional(command, "B.odb", request.file_b, "object file B");
  command
      ->add_option_function<std::string>(
          "--text-report", [&request](const std::string& path) { request.text_report = path; },
          "write the detailed text report to FILE")
      ->type_name("FILE");
  command
      ->add_option_function<std::string>(
          "--summary", [&request](const std::string& path) { request.summary = path; },
          "write the summary report to FILE")
      ->type_name("FILE");
  command
      ->add_option_function<std::string>(
          "--keep-difference-dbs",
          [&request](const std::string& path) { request.kept_folder = path; },
          "make the three difference databases in DIR (created when absent) and keep them")
      ->type_name("DIR");
  CLI::Option* quiet = command->add_flag(
      "-q,--quiet", request.quiet, "print neither the module's lines nor a progress bar");
  CLI::Option* verbose = command->add_flag(
      "-v,--verbose", request.verbose,
      "on a terminal, print every line of the module instead of a progress bar");
  quiet->excludes(verbose);
}

void AddCompareObject(CLI::App& app, CompareObjectRequest& request) {
  CLI::App* command = app.add_subcommand(
      "compare-object",
      "Compare one object's slots in A and B and write them as a two-sided table.");
  AddPositional(command, "A.odb", request.file_a, "object file A");
  AddPositional(command, "B.odb", request.file_b, "object file B");
  AddPositional(command, "OBJECT", request.object, "the object's name");
  command->add_option("--table", request.table, "write the table to FILE")
      ->type_name("FILE")
      ->required();
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
  AddImport(app, import_request);
  AddExport(app, export_request);
  AddCompare(app, compare_request);
  AddCompareObject(app, compare_object_request);

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
  if (name == "import") return Command(import_request);
  if (name == "export") return Command(export_request);
  if (name == "compare") return Command(compare_request);
  return Command(compare_object_request);
}

}  // namespace odbdiff
