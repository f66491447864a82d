// RunTasks with worker processes: results come back in task order, and every
// way a worker can fail a task ends in a Failure, never in a result.
#include "platform/worker_processes.h"  // RunTasks

#include <gtest/gtest.h>  // TEST, EXPECT_*
#include <unistd.h>       // _exit

#include <csignal>  // raise, SIGKILL
#include <string>   // std::string
#include <vector>   // std::vector

#include "platform/failure.h"  // Failure

namespace odbdiff {
namespace {

constexpr std::size_t kTasks = 6;

bool IsOdd(std::size_t index) { return index % 2 == 1; }

TEST(WorkerProcessesTest, ResultsComeBackInTaskOrder) {
  for (const int jobs : {1, 2, 8}) {
    const std::vector<bool> results = RunTasks(kTasks, jobs, IsOdd);
    ASSERT_EQ(results.size(), kTasks) << jobs << " jobs";
    for (std::size_t index = 0; index < kTasks; ++index) {
      EXPECT_EQ(results[index], IsOdd(index)) << "task " << index << ", " << jobs << " jobs";
    }
  }
}

TEST(WorkerProcessesTest, AWorkerThatFailsItsTaskIsAFailure) {
  struct Case {
    const char* how;
    void (*fail)();
    std::string cause;
  };
  const Case cases[] = {
      {"throws", [] { throw Failure("task 3 failed"); }, "task 3 failed"},
      {"is killed", [] { raise(SIGKILL); }, "a worker process was ended by signal Killed"},
      {"exits 0 within its task", [] { _exit(0); },
       "a worker process ended with status 0 in the middle of a task"},
      {"exits 2 within its task", [] { _exit(2); },
       "a worker process ended with status 2 in the middle of a task"},
  };
  for (const Case& failing : cases) {
    try {
      RunTasks(kTasks, 2, [&](std::size_t index) {
        if (index == 3) failing.fail();
        return IsOdd(index);
      });
      ADD_FAILURE() << "no failure when a worker " << failing.how;
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.what(), failing.cause) << "a worker " << failing.how;
    }
  }
}

TEST(WorkerProcessesTest, TheFirstFailureInTaskOrderIsReported) {
  try {
    RunTasks(kTasks, 2, [](std::size_t index) -> bool {
      // Task 1 throws last: the other worker meets task 4 first.
      if (index == 1) {
        usleep(200 * 1000);
        throw Failure("task 1 failed");
      }
      if (index == 4) throw Failure("task 4 failed");
      return true;
    });
    ADD_FAILURE() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_STREQ(failure.what(), "task 1 failed");
  }
}

}  // namespace
}  // namespace odbdiff
