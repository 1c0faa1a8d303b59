#include "render/WorkerPool.h"

#include <algorithm>
#include <chrono>
#include <immintrin.h>

namespace Quorvane {

namespace {

// How long a thread spins before it sleeps: a few frame steps' worth.
constexpr std::chrono::microseconds spinTime{200};

} // namespace

template <typename Done>
void WorkerPool::await(std::condition_variable& wake, const Done& done)
{
    const auto start = std::chrono::steady_clock::now();
    for (int round = 1; !done(); ++round) {
        _mm_pause();
        if (round % 64 == 0 && std::chrono::steady_clock::now() - start > spinTime) {
            std::unique_lock<std::mutex> lock(mutex_);
            wake.wait(lock, done);
            return;
        }
    }
}

WorkerPool::WorkerPool(int threadCount)
{
    for (int i = 1; i < threadCount; ++i)
        workers_.emplace_back([this] { work(); });
}

WorkerPool::~WorkerPool()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    started_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
}

void WorkerPool::run(int taskCount, const std::function<void(int)>& task)
{
    if (workers_.empty() || taskCount <= 1) {
        for (int i = 0; i < taskCount; ++i)
            task(i);
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        task_ = &task;
        taskCount_ = taskCount;
        nextTask_ = 0;
        busyWorkers_ = static_cast<int>(workers_.size());
        ++generation_;
    }
    started_.notify_all();
    runTasks();
    await(finished_, [this] { return busyWorkers_ == 0; });
    const std::lock_guard<std::mutex> lock(mutex_);
    task_ = nullptr;
}

// Takes task numbers until none is left. Tasks are few and long (one band of
// a frame each), so one lock per task costs nothing measurable.
void WorkerPool::runTasks()
{
    for (;;) {
        int taskNumber = 0;
        const std::function<void(int)>* task = nullptr;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            if (nextTask_ >= taskCount_)
                return;
            taskNumber = nextTask_++;
            task = task_;
        }
        (*task)(taskNumber);
    }
}

void WorkerPool::work()
{
    unsigned seen = 0;
    for (;;) {
        await(started_, [&] { return stopping_ || generation_ != seen; });
        if (stopping_)
            return;
        seen = generation_;
        runTasks();
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            --busyWorkers_;
        }
        finished_.notify_one();
    }
}

int hardwareThreadCount()
{
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

} // namespace Quorvane
