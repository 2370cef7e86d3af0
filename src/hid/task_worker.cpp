#include "hid/task_worker.h"

#include "hid/device_manager.h"

namespace mousedeck::hid {

TaskWorker::TaskWorker(DeviceManager* manager) : manager_(manager) {
    if (manager_ != nullptr) {
        lost_seen_ = manager_->LostCount();
        manager_->SetInputListener([this] { OnInput(); });
    }
}

TaskWorker::~TaskWorker() {
    if (manager_ != nullptr) {
        manager_->SetInputListener(nullptr);
    }
    Stop(std::chrono::milliseconds(0));
    Join();
}

void TaskWorker::SetRoutine(int code, Routine routine) {
    std::lock_guard lock(mutex_);
    routines_[code] = std::move(routine);
}

void TaskWorker::SetNotificationRoutine(Routine routine) {
    std::lock_guard lock(mutex_);
    notification_routine_ = std::move(routine);
}

void TaskWorker::SetInterfaceLostRoutine(Routine routine) {
    std::lock_guard lock(mutex_);
    lost_routine_ = std::move(routine);
}

void TaskWorker::PushTask(int code) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(code);
    }
    wake_.notify_one();
}

size_t TaskWorker::QueuedCount() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

void TaskWorker::SetPolling(bool on) {
    {
        std::lock_guard lock(mutex_);
        polling_ = on;
        // Reports that came while polling was off are looked at now.
        input_ = input_ || on;
    }
    wake_.notify_one();
}

bool TaskWorker::Polling() const {
    std::lock_guard lock(mutex_);
    return polling_;
}

bool TaskWorker::Start() { return CThreadBasic::Start(true, std::chrono::milliseconds(0)); }

bool TaskWorker::Stop(std::chrono::milliseconds wait) { return CThreadBasic::Stop(wait); }

void TaskWorker::WakeForStop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
}

void TaskWorker::OnInput() {
    {
        std::lock_guard lock(mutex_);
        input_ = true;
    }
    wake_.notify_one();
}

TaskWorker::Routine TaskWorker::RoutineFor(int code) const {
    const auto it = routines_.find(code);
    return it == routines_.end() ? Routine{} : it->second;
}

void TaskWorker::Run() {
    std::unique_lock lock(mutex_);
    const auto lost_pending = [this] { return manager_ != nullptr && manager_->LostCount() != lost_seen_; };
    wake_.wait(lock, [&] { return stopping_ || !queue_.empty() || (polling_ && input_) || lost_pending(); });
    if (stopping_) {
        return;
    }
    if (!queue_.empty()) {
        const int code = queue_.front();
        queue_.pop_front();
        const Routine routine = RoutineFor(code);
        lock.unlock();
        if (routine) {
            routine();
        }
        return;
    }
    if (lost_pending()) {
        lost_seen_ = manager_->LostCount();
        const Routine routine = lost_routine_;
        lock.unlock();
        if (routine) {
            routine();
        }
        return;
    }

    input_ = false;
    const Routine routine = notification_routine_;
    lock.unlock();
    if (!routine) {
        return;
    }
    if (manager_ == nullptr) {
        routine();
        return;
    }
    if (!manager_->NotificationPending()) {
        return;  // the report went to an interface nobody listens to now
    }
    const uint64_t before = manager_->NotificationsRead();
    routine();
    // Several reports may have come at once: take the next one on the next
    // round, after any task queued meanwhile, as long as the routine takes
    // reports at all.
    if (manager_->NotificationsRead() != before && manager_->NotificationPending()) {
        lock.lock();
        input_ = true;
    }
}

}  // namespace mousedeck::hid
