#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace Quorvane {

// A fixed set of threads that live as long as the pool and run numbered tasks
// together with the calling thread: a frame hands out its bands without
// starting a thread.
class WorkerPool {
public:
    // threadCount threads in all, the caller included; below 1 counts as 1.
    explicit WorkerPool(int threadCount);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    int threadCount() const { return static_cast<int>(workers_.size()) + 1; }

    // Runs task(i) once for every i in [0, taskCount), on the pool's threads
    // and the caller's, and returns when all have finished. Not reentrant.
    void run(int taskCount, const std::function<void(int)>& task);

private:
    void work();
    void runTasks();
    // Waits for done() to hold: spinning first, as a frame's steps follow each
    // other within microseconds and waking a sleeping thread takes far longer
    // on a virtual machine; then, from spinTime on, sleeping on wake.
    template <typename Done>
    void await(std::condition_variable& wake, const Done& done);

    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable started_;
    std::condition_variable finished_;
    const std::function<void(int)>* task_ = nullptr;
    int taskCount_ = 0;
    int nextTask_ = 0;
    std::atomic<int> busyWorkers_ = 0;
    std::atomic<unsigned> generation_ = 0;
    std::atomic<bool> stopping_ = false;
};

// The number of hardware threads, at least 1.
int hardwareThreadCount();

} // namespace Quorvane
