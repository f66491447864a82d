// odbdiff: the command-line host of the diff module.
#include <csignal>    // std::signal, SIGXFSZ
#include <exception>  // std::exception
#include <variant>    // std::visit, std::get_if

#include "commands/commands.h"        // RunCommand
#include "outputs/standard_output.h"  // FinishStandardOutput
#include "platform/failure.h"         // Failure, ReportFailure, FailureCause, kTrouble
#include "platform/speed_ups.h"       // SpeedUps
#include "request/command_line.h"     // ParseCommandLine, Command

int main(int argc, char** argv) {
  using namespace odbdiff;
  // A write past the file size limit (ulimit -f) then fails with EFBIG, and
  // is told and cleaned up as a full disk is, rather than killing the
  // process silently with its private folders left behind. Ignored signals
  // stay ignored across the restart and in worker processes.
  std::signal(SIGXFSZ, SIG_IGN);
  SpeedUps::StartProcess(argv);
  try {
    const std::variant<Command, int> parsed = ParseCommandLine(argc, argv);
    const int* parse_status = std::get_if<int>(&parsed);
    const int status =
        parse_status != nullptr
            ? *parse_status
            : std::visit([](const auto& request) { return RunCommand(request); },
                         std::get<Command>(parsed));
    FinishStandardOutput();
    return status;
  } catch (const Failure& failure) {
    ReportFailure(failure.what());
  } catch (const std::exception& error) {  // out of memory, a file-system error, ...
    ReportFailure(FailureCause(error));
  }
  return kTrouble;
}
