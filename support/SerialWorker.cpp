#include "support/SerialWorker.h"

#include <sys/resource.h>
#include <unistd.h>

namespace kv {

TSerialWorker::TSerialWorker() : thread_([this] { Run(); }) {}

TSerialWorker::~TSerialWorker() {
  {
    std::lock_guard<std::mutex> guard(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void TSerialWorker::Post(std::function<void()> job) {
  {
    std::lock_guard<std::mutex> guard(mutex_);
    jobs_.push_back(std::move(job));
  }
  changed_.notify_all();
}

void TSerialWorker::WaitIdle() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return jobs_.empty() && !busy_; });
}

void TSerialWorker::Run() {
  // Work in the background yields the processor to the window's thread.
  ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 10);
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
    if (jobs_.empty()) return;  // stopping, and nothing left
    std::function<void()> job = std::move(jobs_.front());
    jobs_.pop_front();
    busy_ = true;
    lock.unlock();
    job();
    job = nullptr;
    lock.lock();
    busy_ = false;
    changed_.notify_all();
  }
}

}  // namespace kv
