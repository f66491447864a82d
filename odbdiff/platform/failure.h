// How odbdiff ends a command that cannot go on: a Failure carries the cause,
// and main prints it as one line on standard error, "odbdiff: " and the cause,
// then exits with kTrouble.
#ifndef ODBDIFF_PLATFORM_FAILURE_H_
#define ODBDIFF_PLATFORM_FAILURE_H_

#include <exception>    // std::exception
#include <stdexcept>    // std::runtime_error
#include <string>       // std::string
#include <string_view>  // std::string_view

namespace odbdiff {

// Exit statuses of every command.
enum ExitStatus : int {
  kSame = 0,     // the files (or objects) are the same; or the command did its work
  kDiffer = 1,   // they differ
  kTrouble = 2,  // the command could not do its work
};

class Failure : public std::runtime_error {
 public:
  // A cause without a file: "cannot load the diff module: ...".
  explicit Failure(const std::string& cause) : std::runtime_error(cause) {}
  // A cause that concerns a file: "FILE: REASON".
  Failure(std::string_view file, std::string_view reason);
};

// "odbdiff: CAUSE", without a newline. Line breaks inside the cause become
// blanks, so that every error stays one line; other control characters (C0,
// DEL, C1) and bytes that are not valid UTF-8 are written as \xNN
// (AppendTerminalSafe), so that the line is valid UTF-8 text that a terminal
// shows as it is.
std::string FailureLine(std::string_view cause);

// Prints the FailureLine of `cause` and a newline on standard error.
void ReportFailure(std::string_view cause);

// The cause of a command's failure in odbdiff's words: "out of memory" for
// std::bad_alloc, whose own text ("std::bad_alloc") tells a user nothing,
// else what the exception says.
std::string FailureCause(const std::exception& failure);

// The system's text for an errno value, starting in lower case
// ("permission denied").
std::string SystemErrorText(int error);

}  // namespace odbdiff

#endif  // ODBDIFF_PLATFORM_FAILURE_H_
