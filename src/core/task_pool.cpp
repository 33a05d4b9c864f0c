#include "core/task_pool.h"

#include <algorithm>

namespace quintaval {

TaskPool::TaskPool(int threads) {
  for (int i = 0; i < std::max(threads, 1); ++i) workers_.emplace_back([this] { work(); });
}

TaskPool::~TaskPool() {
  std::deque<std::function<void()>> dropped;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    dropped.swap(jobs_);
  }
  wake_.notify_all();
  for (std::thread& worker : workers_) worker.join();
  // The dropped tasks go out of scope here, breaking their promises.
}

int TaskPool::defaultThreads() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores > 1 ? static_cast<int>(cores) : 1;
}

void TaskPool::enqueue(std::function<void()> job) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    jobs_.push_back(std::move(job));
  }
  wake_.notify_one();
}

void TaskPool::work() {
  for (;;) {
    std::function<void()> job;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (stopping_) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    job();
  }
}

}  // namespace quintaval
