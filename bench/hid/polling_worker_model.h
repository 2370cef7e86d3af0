#pragma once

#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "hid/device_manager.h"

namespace mousedeck::bench {

// A small, faithful model of the polling worker the original design
// describes, for side-by-side figures: a loop that sleeps 2 ms between runs;
// each run takes one queued task, or else, while polling is on, blocks up to
// 100 ms in one notification read. A task queued while the read blocks waits
// for it to end.
class PollingWorkerModel {
public:
    using Routine = std::function<void()>;

    explicit PollingWorkerModel(hid::DeviceManager& manager) : manager_(manager) {}
    ~PollingWorkerModel() { Stop(); }

    void SetRoutine(int code, Routine routine) { routines_[code] = std::move(routine); }
    void SetPolling(bool on) { polling_ = on; }
    void PushTask(int code) {
        std::lock_guard lock(mutex_);
        queue_.push_back(code);
    }
    void Start() {
        running_ = true;
        thread_ = std::thread([this] { Loop(); });
    }
    void Stop() {
        running_ = false;
        if (thread_.joinable()) {
            thread_.join();
        }
    }

private:
    void Loop() {
        while (running_) {
            Run();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    void Run() {
        std::unique_lock lock(mutex_);
        if (!queue_.empty()) {
            const int code = queue_.front();
            queue_.pop_front();
            lock.unlock();
            if (const auto it = routines_.find(code); it != routines_.end()) {
                it->second();
            }
            return;
        }
        lock.unlock();
        if (polling_) {
            std::array<uint8_t, 65> buffer{};
            int type = 0;
            manager_.ReadNotification(buffer, type);  // up to 100 ms
        }
    }

    hid::DeviceManager& manager_;
    std::map<int, Routine> routines_;
    std::mutex mutex_;
    std::deque<int> queue_;
    std::atomic<bool> polling_{false};
    std::atomic<bool> running_{false};
    std::thread thread_;
};

}  // namespace mousedeck::bench
