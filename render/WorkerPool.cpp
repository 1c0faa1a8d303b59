#include "render/WorkerPool.h"

#include <algorithm>

namespace Quorvane {

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
    std::unique_lock<std::mutex> lock(mutex_);
    finished_.wait(lock, [this] { return busyWorkers_ == 0; });
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
        {
            std::unique_lock<std::mutex> lock(mutex_);
            started_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_)
                return;
            seen = generation_;
        }
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
