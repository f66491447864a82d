// Running the odbdiff binary as a user would, and the file helpers its tests
// share.
#ifndef DIFF_TESTS_ODBDIFF_ODBDIFF_RUNNER_H_
#define DIFF_TESTS_ODBDIFF_ODBDIFF_RUNNER_H_

#include <sys/types.h>  // pid_t

#include <filesystem>  // std::filesystem::path
#include <functional>  // std::function
#include <set>         // std::set
#include <string>      // std::string
#include <vector>      // std::vector

namespace odbdiff_test {

struct RunResult {
  int exit_status = -1;  // -1 when the process did not exit normally
  std::string out;       // standard output
  std::string err;       // standard error
};

struct RunOptions {
  std::filesystem::path folder;  // working folder of the process
  bool terminal = false;         // standard output a terminal (a raw pty)
  std::string tmpdir;            // TMPDIR of the process when not empty
  std::string stdout_path;       // a file to take standard output instead of capturing it
  std::string stdin_path = "/dev/null";  // the file standard input reads
  std::string executable;        // a copy of odbdiff to run instead of the one built
  // When set, standard output is a pipe, and this runs while the process
  // does: it gets the process and the pipe's read end, and returns what it
  // read from the pipe (it may kill the process; it must read the pipe to
  // its end unless it does).
  std::function<std::string(pid_t process, int output)> while_running;
};

// Options with one setting changed.
inline RunOptions OnTerminal() {
  RunOptions options;
  options.terminal = true;
  return options;
}
inline RunOptions WithTmpdir(const std::string& tmpdir) {
  RunOptions options;
  options.tmpdir = tmpdir;
  return options;
}
inline RunOptions WithStdoutTo(const std::string& path) {
  RunOptions options;
  options.stdout_path = path;
  return options;
}
inline RunOptions WithExecutable(const std::string& path) {
  RunOptions options;
  options.executable = path;
  return options;
}

// Runs odbdiff with `args`.
RunResult RunOdbdiff(const std::vector<std::string>& args, const RunOptions& options);

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& text);
// Names of the entries of a folder.
std::set<std::string> Entries(const std::filesystem::path& folder);

}  // namespace odbdiff_test

#endif  // DIFF_TESTS_ODBDIFF_ODBDIFF_RUNNER_H_
