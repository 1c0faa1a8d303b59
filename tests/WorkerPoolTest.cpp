#include "render/WorkerPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace Quorvane {
namespace {

// Every task waits until all have started, so every thread of the pool must
// take one: a worker that misses a run, spinning or asleep, fails the test (or
// hangs the run, which the test's time limit ends) where a pool that left the
// tasks to the caller would pass.
TEST(WorkerPoolRuns, WakeEveryThreadForEveryRunWhetherItSpinsOrSleeps)
{
    constexpr int threads = 3;
    WorkerPool pool(threads);
    ASSERT_EQ(pool.threadCount(), threads);
    for (const auto pause : {std::chrono::milliseconds(0), std::chrono::milliseconds(5)}) {
        for (int run = 0; run < 20; ++run) {
            std::atomic<int> started = 0;
            std::vector<int> runs(threads, 0);
            std::atomic<bool> timedOut = false;
            pool.run(threads, [&](int task) {
                ++runs[static_cast<std::size_t>(task)];
                ++started;
                const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
                while (started < threads)
                    if (std::chrono::steady_clock::now() > deadline) {
                        timedOut = true;
                        return;
                    }
            });
            ASSERT_FALSE(timedOut) << "pause " << pause.count() << " ms, run " << run;
            ASSERT_EQ(runs, std::vector<int>(threads, 1));
            std::this_thread::sleep_for(pause);
        }
    }
}

TEST(WorkerPoolRuns, RunsTasksOnTheCallerAlone)
{
    for (const int threads : {0, 1}) {
        WorkerPool pool(threads);
        EXPECT_EQ(pool.threadCount(), 1);
        std::vector<int> runs(4, 0);
        pool.run(4, [&](int task) { ++runs[static_cast<std::size_t>(task)]; });
        EXPECT_EQ(runs, std::vector<int>(4, 1));
    }
}

} // namespace
} // namespace Quorvane
