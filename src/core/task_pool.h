// A few worker threads that run jobs in the order they were given. The loading sequence
// decodes pictures, reads models and decodes the music on them while the main thread
// opens the window and uploads what is ready. A job must not call the message reporter
// or GL: it returns its result, and the main thread acts on it.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace quintaval {

class TaskPool {
 public:
  // `threads` workers, at least one.
  explicit TaskPool(int threads);
  // Drops the jobs not yet started (their futures report broken_promise), waits for the
  // running ones and joins the workers.
  ~TaskPool();
  TaskPool(const TaskPool&) = delete;
  TaskPool& operator=(const TaskPool&) = delete;

  // Queues `job`; its result (or exception) arrives through the future.
  template <typename Job>
  auto submit(Job job) -> std::future<decltype(job())> {
    auto task = std::make_shared<std::packaged_task<decltype(job())()>>(std::move(job));
    std::future<decltype(job())> result = task->get_future();
    enqueue([task] { (*task)(); });
    return result;
  }

  // Workers for this machine: one per core. The main thread often waits for them, so it
  // is not given a core of its own (on two cores, two workers load faster than one).
  static int defaultThreads();

 private:
  void enqueue(std::function<void()> job);
  void work();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> jobs_;
  bool stopping_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace quintaval
