#include "runner/odbdiff_runner.h"  // RunOdbdiff, ReadFile, WriteFile, Entries

#include <fcntl.h>     // open, O_* flags, fcntl, FD_CLOEXEC
#include <pty.h>       // openpty
#include <spawn.h>     // posix_spawn and its file actions
#include <sys/wait.h>  // waitpid, WIFEXITED, WEXITSTATUS
#include <termios.h>   // tcgetattr, tcsetattr, cfmakeraw
#include <unistd.h>    // read, close, pipe2

#include <cerrno>       // errno, EINTR
#include <fstream>      // std::ifstream, std::ofstream
#include <iterator>     // std::istreambuf_iterator
#include <stdexcept>    // std::runtime_error
#include <string_view>  // std::string_view

#include "tests/support/temp_dir.h"  // TempDir for the captured outputs

extern char** environ;

namespace odbdiff_test {
namespace {

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + " failed: errno " + std::to_string(errno));
}

// Reads the pty's master side until every slave descriptor is closed.
std::string DrainTerminal(int master) {
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(master, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // EIO once the child has closed the slave
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return text;
}

}  // namespace

RunResult RunOdbdiff(const std::vector<std::string>& args, const RunOptions& options) {
  const diff::testing::TempDir captured;
  const std::string out_path = captured.file("out");
  const std::string err_path = captured.file("err");

  std::vector<std::string> arguments{options.executable.empty() ? ODBDIFF_PATH
                                                                : options.executable};
  arguments.insert(arguments.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view variable(*entry);
    if (!options.tmpdir.empty() && variable.starts_with("TMPDIR=")) continue;
#ifdef ODBDIFF_MODULE_DIR
    if (variable.starts_with("LD_LIBRARY_PATH=")) continue;
#endif
    environment.emplace_back(*entry);
  }
  if (!options.tmpdir.empty()) environment.push_back("TMPDIR=" + options.tmpdir);
#ifdef ODBDIFF_MODULE_DIR
  // See tests/odbdiff/CMakeLists.txt: sanitized builds cannot use the RUNPATH.
  environment.push_back("LD_LIBRARY_PATH=" ODBDIFF_MODULE_DIR);
#endif
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);

  int master = -1;
  int slave = -1;
  if (options.terminal) {
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) Fail("openpty");
    termios mode{};
    tcgetattr(slave, &mode);
    cfmakeraw(&mode);  // no "\n" to "\r\n" translation
    tcsetattr(slave, TCSANOW, &mode);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, options.stdin_path.c_str(), O_RDONLY, 0);
  int output_pipe[2] = {-1, -1};
  if (options.terminal) {
    posix_spawn_file_actions_adddup2(&actions, slave, 1);
  } else if (options.while_running) {
    if (pipe2(output_pipe, O_CLOEXEC) != 0) Fail("pipe2");
    posix_spawn_file_actions_adddup2(&actions, output_pipe[1], 1);
  } else {
    const std::string& stdout_path = options.stdout_path.empty() ? out_path : options.stdout_path;
    posix_spawn_file_actions_addopen(&actions, 1, stdout_path.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
  }
  posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addchdir_np(&actions, options.folder.c_str());

  pid_t child = 0;
  const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    errno = spawned;
    Fail("posix_spawn");
  }

  RunResult result;
  if (options.terminal) {
    close(slave);
    result.out = DrainTerminal(master);
    close(master);
  } else if (options.while_running) {
    close(output_pipe[1]);
    result.out = options.while_running(child, output_pipe[0]);
    close(output_pipe[0]);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) Fail("waitpid");
  }
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (!options.terminal && !options.while_running && options.stdout_path.empty()) {
    result.out = ReadFile(out_path);
  }
  result.err = ReadFile(err_path);
  return result;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
  if (!file.flush()) throw std::runtime_error("cannot write " + path.string());
}

std::set<std::string> Entries(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

}  // namespace odbdiff_test
