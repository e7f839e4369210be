// A thread of its own that runs jobs one after another, in the order they were posted.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace kv {

class TSerialWorker {
 public:
  TSerialWorker();
  // Runs what is still queued, then ends the thread.
  ~TSerialWorker();
  TSerialWorker(const TSerialWorker&) = delete;
  TSerialWorker& operator=(const TSerialWorker&) = delete;

  void Post(std::function<void()> job);
  // Returns when every job posted before has run.
  void WaitIdle();

 private:
  void Run();
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> jobs_;
  bool busy_ = false;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace kv
