#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

namespace mousedeck::hid {
class DeviceManager;
class TaskWorker;
}  // namespace mousedeck::hid

namespace mousedeck::shell::app {

// The device worker with a routine table that can grow while it runs, and a
// way to wait until it has nothing left to do.
//
// Codes 1..kHighestTaskCode are accepted; a code without a routine is taken
// from the queue and does nothing, as a code nobody handles yet (the update
// codes before the update layer registers them).
//
// Threads: every member may be called from any thread, except RunNow (the
// worker only) and Stop and WaitUntilIdle (never from the worker: they wait
// for it). Routines run on the worker thread, one at a time, without any
// lock of this object held.
class TaskRunner {
public:
    using Routine = std::function<void()>;
    static constexpr int kHighestTaskCode = 27;

    // `devices` may be null (no device channel); otherwise it must outlive
    // the runner.
    explicit TaskRunner(hid::DeviceManager* devices);
    ~TaskRunner();  // Stop
    TaskRunner(const TaskRunner&) = delete;
    TaskRunner& operator=(const TaskRunner&) = delete;

    // Replaces the routine of `code`; an empty routine removes it. False for a
    // code out of range.
    bool SetRoutine(int code, Routine routine);
    // Run between tasks while polling is on and a report is waiting.
    void SetNotificationRoutine(Routine routine);
    // Run between tasks after an open interface vanished.
    void SetInterfaceLostRoutine(Routine routine);

    // Appends `code` at the tail. False for a code out of range, or once
    // stopped; the code is then not queued.
    bool Push(int code);
    // Runs the routine of `code` at once, on the calling thread (the worker,
    // from inside a routine). False when the code has none.
    bool RunNow(int code);

    void SetPolling(bool on);
    bool Polling() const;

    bool Start();
    // Takes no more codes, lets the routine in progress finish and joins the
    // worker thread; codes still queued are dropped. True when the thread
    // left within `wait` (the join waits longer for a routine that does not).
    bool Stop(std::chrono::milliseconds wait = std::chrono::milliseconds(1000));

    // True once the queue is empty and no routine runs (a task, the
    // notification routine or the interface-lost routine); false when
    // `timeout` passed first. A notification that has arrived but whose
    // routine has not yet started does not count.
    bool WaitUntilIdle(std::chrono::milliseconds timeout);
    std::size_t QueuedCount() const;

private:
    void RunTask(int code);
    void RunTracked(const Routine& routine);
    void Finish(bool task);

    std::unique_ptr<hid::TaskWorker> worker_;
    mutable std::mutex mutex_;
    std::condition_variable idle_;
    std::map<int, Routine> routines_;
    Routine notification_routine_;
    Routine lost_routine_;
    std::size_t outstanding_ = 0;  // pushed and not yet finished
    int running_ = 0;              // routines in progress (0 or 1)
    bool stopped_ = false;
};

}  // namespace mousedeck::shell::app
