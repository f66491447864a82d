// Work split over worker processes: the diff module's comparison context
// and rules are process-wide, so comparisons run side by side in processes
// of their own (fork), never in threads.
#ifndef ODBDIFF_PLATFORM_WORKER_PROCESSES_H_
#define ODBDIFF_PLATFORM_WORKER_PROCESSES_H_

#include <cstddef>     // std::size_t
#include <functional>  // std::function
#include <vector>      // std::vector

namespace odbdiff {

// The processors this process may run on (at least 1).
int ProcessorCount();

// Runs task(i) for every i from 0 to count - 1 and returns what each
// returned. With `jobs` 1 (or a single task) they run here, one after the
// other; otherwise in min(jobs, count) worker processes that take the next
// task as they become free, and only what the tasks leave in files and their
// results come back. Failures are as one after the other: when tasks throw,
// the Failure of the first of them in task order is thrown once every worker
// has ended; a worker that dies, or exits in the middle of a task, is a
// Failure too.
std::vector<bool> RunTasks(std::size_t count, int jobs,
                           const std::function<bool(std::size_t)>& task);

}  // namespace odbdiff

#endif  // ODBDIFF_PLATFORM_WORKER_PROCESSES_H_
