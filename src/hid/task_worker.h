#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

#include "hid/thread_basic.h"

namespace mousedeck::hid {

class DeviceManager;

// The device worker: one thread that takes task codes first in, first out,
// one at a time, and runs the routine registered for each. Codes are never
// merged and a code without a routine does nothing. Between tasks, while the
// polling switch is on, it runs the notification routine whenever the device
// channel holds a notification.
//
// The worker sleeps on one condition, "task queued, report arrived or stop",
// so a queued task starts at once and an idle worker costs no wakeups: the
// device channel's reader threads signal it when a report comes.
//
// Threads: PushTask, SetPolling, QueuedCount and Stop may be called from any
// thread. Routines, including the notification and interface-lost routines,
// run on the worker thread. Register routines before Start or from a routine.
class TaskWorker final : public CThreadBasic {
public:
    using Routine = std::function<void()>;

    // `manager` may be null (no device channel); otherwise it must outlive
    // the worker, which listens to its reader threads.
    explicit TaskWorker(DeviceManager* manager);
    // Joins the thread, waiting for a routine still running. At exit, call
    // Stop first: when it reports a routine still busy after its bound, the
    // application may end the process instead of destroying the worker.
    ~TaskWorker() override;

    void SetRoutine(int code, Routine routine);
    // Reads and handles one notification (DeviceManager::ReadNotification).
    void SetNotificationRoutine(Routine routine);
    // Run between tasks after an open interface vanished (read error or
    // hang-up), whatever the polling switch; for example to queue a removal.
    void SetInterfaceLostRoutine(Routine routine);

    void PushTask(int code);
    size_t QueuedCount() const;

    // On while at least one supported interface is open.
    void SetPolling(bool on);
    bool Polling() const;

    // Starts the worker thread.
    bool Start();
    // Stops taking tasks and waits up to `wait` for the routine in progress;
    // true when the thread has left. Tasks still queued are not run.
    bool Stop(std::chrono::milliseconds wait = std::chrono::milliseconds(1000));

protected:
    void Run() override;
    void WakeForStop() override;

private:
    void OnInput();
    Routine RoutineFor(int code) const;

    DeviceManager* manager_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<int> queue_;
    std::map<int, Routine> routines_;
    Routine notification_routine_;
    Routine lost_routine_;
    bool polling_ = false;
    bool stopping_ = false;
    bool input_ = false;        // a reader queued a report since the last look
    uint64_t lost_seen_ = 0;    // DeviceManager::LostCount already handled
};

}  // namespace mousedeck::hid
