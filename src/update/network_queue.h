#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace mousedeck::update {

// One thread for the update server's requests, so that a slow server never
// holds up the device worker: the worker's routines for the checks and
// downloads post their network part here and return at once. Jobs run one at
// a time, first in, first out.
//
// Order. A job posted from a worker routine starts only after that routine
// (and every task before it) has run, so its result reaches the user after
// theirs: task 23 queued behind task 1 at start-up shows its result after
// the device was read.
//
// Threads: Post, Stop and CancelFlag from any thread; jobs run on the
// queue's own thread.
class NetworkQueue {
public:
    using Job = std::function<void()>;

    NetworkQueue();
    // Stops, as Stop does.
    ~NetworkQueue();
    NetworkQueue(const NetworkQueue&) = delete;
    NetworkQueue& operator=(const NetworkQueue&) = delete;

    // Ignored after Stop.
    void Post(Job job);
    // Raises the cancel flag (a transfer in progress ends within tens of
    // milliseconds when its HttpOptions::cancel points here), drops the jobs
    // not started and waits for the running one to return.
    void Stop();
    // Hand this to HttpOptions::cancel.
    const std::atomic<bool>& CancelFlag() const { return cancel_; }
    // True when no job runs or waits.
    bool Idle() const;
    // Waits until Idle; false when still busy after `limit`.
    bool WaitUntilIdle(std::chrono::milliseconds limit) const;

private:
    void Loop();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    mutable std::condition_variable idle_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    bool busy_ = false;
    std::atomic<bool> cancel_{false};
    std::thread thread_;
};

}  // namespace mousedeck::update
