// Objects written to an object file on a thread of its own, so that a merge
// or a patch reads and decides the next objects while the library writes
// the last ones: the writes take about as long as the rest together.
#ifndef ODBDIFF_MERGE_OBJECT_WRITE_THREAD_H_
#define ODBDIFF_MERGE_OBJECT_WRITE_THREAD_H_

#include <condition_variable>  // std::condition_variable
#include <deque>               // std::deque
#include <exception>           // std::exception_ptr
#include <mutex>               // std::mutex
#include <thread>              // std::thread
#include <vector>              // std::vector

#include "inputs/object_model.h"  // Object, ObjectSink

namespace odbdiff {

class ObjectWriteThread {
 public:
  // Writes into `out`, which nothing else touches until Finish.
  explicit ObjectWriteThread(ObjectSink& out);
  ObjectWriteThread(const ObjectWriteThread&) = delete;
  ObjectWriteThread& operator=(const ObjectWriteThread&) = delete;
  // Without Finish (a failure on the way) the thread stops at once.
  ~ObjectWriteThread();

  // Hands on an object to write after those before. Throws the failure of
  // the thread's writes, if one stopped it.
  void Add(Object&& object);
  // Waits for every object to be written; throws what stopped the writes.
  void Finish();

 private:
  void Run();
  void HandOn(bool last);
  void Stop();

  ObjectSink& out_;
  std::vector<Object> batch_;  // filled by the caller
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::vector<Object>> queue_;  // batches for the thread
  bool closed_ = false;   // no more batches come
  bool stopped_ = false;  // the thread ended, with or without failure
  std::exception_ptr failure_;
  std::thread thread_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_MERGE_OBJECT_WRITE_THREAD_H_
