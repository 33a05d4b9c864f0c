// Worker threads for loading: every job's result or exception reaches its future, and a
// pool going away drops the jobs no worker had started instead of running them.
#include "core/task_pool.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>

namespace quintaval {
namespace {

TEST(TaskPool, DeliversResultsAndExceptions) {
  TaskPool pool(3);
  std::vector<std::future<int>> results;
  for (int i = 0; i < 100; ++i) results.push_back(pool.submit([i] { return i * i; }));
  auto failing = pool.submit([]() -> int { throw std::runtime_error("unreadable"); });
  for (int i = 0; i < 100; ++i) EXPECT_EQ(results[i].get(), i * i);
  EXPECT_THROW(failing.get(), std::runtime_error);
}

TEST(TaskPool, GoingAwayDropsTheJobsNotStarted) {
  std::promise<void> release;
  std::shared_future<void> gate = release.get_future().share();
  std::future<int> running, waiting;
  std::thread releaser;
  {
    TaskPool pool(1);
    std::promise<void> started;
    running = pool.submit([&started, gate] {
      started.set_value();
      gate.wait();
      return 1;
    });
    waiting = pool.submit([] { return 2; });
    started.get_future().wait();
    // The worker is held inside the first job until the pool has begun going away.
    releaser = std::thread([&release] {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      release.set_value();
    });
  }
  releaser.join();
  EXPECT_EQ(running.get(), 1);
  EXPECT_THROW(waiting.get(), std::future_error);
}

}  // namespace
}  // namespace quintaval
