#include "platform/worker_processes.h"  // ProcessorCount, RunTasks

#include <sched.h>      // sched_getaffinity, CPU_COUNT
#include <sys/mman.h>   // mmap, munmap: the memory the workers share
#include <sys/prctl.h>  // prctl(PR_SET_PDEATHSIG): a worker ends with its parent
#include <sys/wait.h>   // waitpid, WIFEXITED, WTERMSIG
#include <unistd.h>     // fork, _exit

#include <algorithm>  // std::min
#include <atomic>     // std::atomic, shared across the processes
#include <cerrno>     // errno
#include <csignal>    // SIGKILL
#include <cstring>    // std::strncpy, strsignal
#include <exception>  // std::exception
#include <limits>     // std::numeric_limits
#include <new>        // placement new into the shared memory
#include <string>     // std::string

#include "platform/failure.h"  // Failure, FailureCause, SystemErrorText

namespace odbdiff {
namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
constexpr std::size_t kMessageSize = 4096;

static_assert(std::atomic<std::size_t>::is_always_lock_free);
static_assert(std::atomic<bool>::is_always_lock_free);

// What one worker tells its parent beyond the results.
struct WorkerRecord {
  std::atomic<std::size_t> current{kNone};  // the task it works on
  std::size_t failed_task = kNone;          // the task that threw
  char message[kMessageSize] = {};          // what it threw
};

// The memory the parent and its workers share: the next task to take, a
// stop after a failure, each worker's record, and each task's result
// (0 not done, 1 false, 2 true).
class SharedState {
 public:
  SharedState(std::size_t tasks, std::size_t workers)
      : size_(sizeof(Header) + workers * sizeof(WorkerRecord) + tasks) {
    memory_ = mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory_ == MAP_FAILED) {
      throw Failure("cannot share memory with worker processes: " + SystemErrorText(errno));
    }
    header_ = new (memory_) Header;
    records_ = reinterpret_cast<WorkerRecord*>(static_cast<char*>(memory_) + sizeof(Header));
    for (std::size_t worker = 0; worker < workers; ++worker) new (&records_[worker]) WorkerRecord;
    results_ = reinterpret_cast<unsigned char*>(records_ + workers);
  }
  SharedState(const SharedState&) = delete;
  SharedState& operator=(const SharedState&) = delete;
  ~SharedState() { munmap(memory_, size_); }

  std::atomic<std::size_t>& next() { return header_->next; }
  std::atomic<bool>& stop() { return header_->stop; }
  WorkerRecord& record(std::size_t worker) { return records_[worker]; }
  unsigned char& result(std::size_t task) { return results_[task]; }

 private:
  struct Header {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
  };

  std::size_t size_;
  void* memory_;
  Header* header_;
  WorkerRecord* records_;
  unsigned char* results_;
};

// A worker's life: tasks until none is left or one failed anywhere. It ends
// with _exit, so nothing of its parent's (folders, buffered output) is
// cleaned up or written twice.
[[noreturn]] void Work(SharedState& shared, WorkerRecord& record, std::size_t count,
                       const std::function<bool(std::size_t)>& task) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  while (!shared.stop().load()) {
    const std::size_t index = shared.next().fetch_add(1);
    if (index >= count) break;
    record.current.store(index);
    try {
      shared.result(index) = task(index) ? 2 : 1;
    } catch (const std::exception& failure) {
      record.failed_task = index;
      std::strncpy(record.message, FailureCause(failure).c_str(), kMessageSize - 1);
      shared.stop().store(true);
      _exit(2);
    }
  }
  record.current.store(kNone);
  _exit(0);
}

// Why a worker that ended with `status` failed when it did not report a
// failure of its own; empty when it ended as workers end: 0 once no task is
// left, 2 after recording the task that threw. Any other end (a signal, an
// exit from within a task) leaves its task undone and must not pass for a
// result.
std::string DeathCause(int status, const WorkerRecord& record) {
  if (WIFSIGNALED(status)) {
    return std::string("a worker process was ended by signal ") + strsignal(WTERMSIG(status));
  }
  const int code = WEXITSTATUS(status);
  if (code == 0 && record.current.load() == kNone) return "";
  if (code == 2 && record.failed_task != kNone) return "";
  return "a worker process ended with status " + std::to_string(code) + " in the middle of a task";
}

std::vector<bool> RunHere(std::size_t count, const std::function<bool(std::size_t)>& task) {
  std::vector<bool> results(count);
  for (std::size_t index = 0; index < count; ++index) results[index] = task(index);
  return results;
}

}  // namespace

int ProcessorCount() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) != 0) return 1;
  return std::max(1, CPU_COUNT(&set));
}

std::vector<bool> RunTasks(std::size_t count, int jobs,
                           const std::function<bool(std::size_t)>& task) {
  const std::size_t workers = std::min(count, static_cast<std::size_t>(std::max(jobs, 1)));
  if (workers <= 1) return RunHere(count, task);
  SharedState shared(count, workers);
  std::vector<pid_t> children;
  int fork_error = 0;
  for (std::size_t worker = 0; worker < workers; ++worker) {
    const pid_t child = fork();
    if (child == 0) Work(shared, shared.record(worker), count, task);
    if (child < 0) {
      fork_error = errno;
      shared.stop().store(true);
      break;
    }
    children.push_back(child);
  }
  // The first failure in task order: a task that threw, or the task of a
  // worker that died on it.
  std::size_t first_task = kNone;
  std::string cause;
  for (std::size_t worker = 0; worker < children.size(); ++worker) {
    int status = 0;
    while (waitpid(children[worker], &status, 0) < 0 && errno == EINTR) {
    }
    WorkerRecord& record = shared.record(worker);
    std::string death = DeathCause(status, record);
    if (!death.empty() && record.current.load() <= first_task) {
      first_task = record.current.load();
      cause = std::move(death);
    } else if (record.failed_task != kNone && record.failed_task < first_task) {
      first_task = record.failed_task;
      cause = record.message;
    }
  }
  if (!cause.empty()) throw Failure(cause);
  if (fork_error != 0) {
    throw Failure("cannot start a worker process: " + SystemErrorText(fork_error));
  }
  std::vector<bool> results(count);
  for (std::size_t index = 0; index < count; ++index) results[index] = shared.result(index) == 2;
  return results;
}

}  // namespace odbdiff
