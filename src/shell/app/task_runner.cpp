#include "shell/app/task_runner.h"

#include "hid/task_worker.h"

namespace mousedeck::shell::app {

TaskRunner::TaskRunner(hid::DeviceManager* devices) : worker_(std::make_unique<hid::TaskWorker>(devices)) {
    // The worker's table is fixed before it starts; each entry looks the
    // routine up here, so routines can be registered at any time.
    for (int code = 1; code <= kHighestTaskCode; ++code) {
        worker_->SetRoutine(code, [this, code] { RunTask(code); });
    }
    worker_->SetNotificationRoutine([this] {
        Routine routine;
        {
            std::lock_guard lock(mutex_);
            routine = notification_routine_;
        }
        RunTracked(routine);
    });
    worker_->SetInterfaceLostRoutine([this] {
        Routine routine;
        {
            std::lock_guard lock(mutex_);
            routine = lost_routine_;
        }
        RunTracked(routine);
    });
}

TaskRunner::~TaskRunner() {
    Stop();
}

bool TaskRunner::SetRoutine(int code, Routine routine) {
    if (code < 1 || code > kHighestTaskCode) {
        return false;
    }
    std::lock_guard lock(mutex_);
    if (routine) {
        routines_[code] = std::move(routine);
    } else {
        routines_.erase(code);
    }
    return true;
}

void TaskRunner::SetNotificationRoutine(Routine routine) {
    std::lock_guard lock(mutex_);
    notification_routine_ = std::move(routine);
}

void TaskRunner::SetInterfaceLostRoutine(Routine routine) {
    std::lock_guard lock(mutex_);
    lost_routine_ = std::move(routine);
}

bool TaskRunner::Push(int code) {
    if (code < 1 || code > kHighestTaskCode) {
        return false;
    }
    // Held while handing the code over, so Stop cannot drop the worker
    // between the check and the push.
    std::lock_guard lock(mutex_);
    if (stopped_) {
        return false;
    }
    ++outstanding_;
    worker_->PushTask(code);
    return true;
}

bool TaskRunner::RunNow(int code) {
    Routine routine;
    {
        std::lock_guard lock(mutex_);
        const auto it = routines_.find(code);
        if (it == routines_.end()) {
            return false;
        }
        routine = it->second;
    }
    routine();
    return true;
}

void TaskRunner::SetPolling(bool on) {
    std::lock_guard lock(mutex_);
    if (!stopped_) {
        worker_->SetPolling(on);
    }
}

bool TaskRunner::Polling() const {
    std::lock_guard lock(mutex_);
    return !stopped_ && worker_->Polling();
}

bool TaskRunner::Start() {
    std::lock_guard lock(mutex_);
    return !stopped_ && worker_->Start();
}

bool TaskRunner::Stop(std::chrono::milliseconds wait) {
    {
        std::lock_guard lock(mutex_);
        if (stopped_) {
            return true;
        }
        stopped_ = true;
    }
    // No member touches worker_ once stopped_ is set, so it can go without
    // the lock (a routine finishing meanwhile takes the lock itself).
    const bool left = worker_->Stop(wait);
    worker_.reset();  // joins
    {
        std::lock_guard lock(mutex_);
        outstanding_ = 0;
        running_ = 0;
    }
    idle_.notify_all();
    return left;
}

bool TaskRunner::WaitUntilIdle(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, timeout, [this] { return outstanding_ == 0 && running_ == 0; });
}

std::size_t TaskRunner::QueuedCount() const {
    std::lock_guard lock(mutex_);
    return stopped_ ? 0 : worker_->QueuedCount();
}

void TaskRunner::RunTask(int code) {
    Routine routine;
    {
        std::lock_guard lock(mutex_);
        ++running_;
        if (const auto it = routines_.find(code); it != routines_.end()) {
            routine = it->second;
        }
    }
    if (routine) {
        routine();
    }
    Finish(true);
}

void TaskRunner::RunTracked(const Routine& routine) {
    if (!routine) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        ++running_;
    }
    routine();
    Finish(false);
}

void TaskRunner::Finish(bool task) {
    {
        std::lock_guard lock(mutex_);
        if (running_ > 0) {
            --running_;
        }
        if (task && outstanding_ > 0) {
            --outstanding_;
        }
    }
    idle_.notify_all();
}

}  // namespace mousedeck::shell::app
