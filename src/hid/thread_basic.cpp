#include "hid/thread_basic.h"

namespace mousedeck::hid {

CThreadBasic::~CThreadBasic() {
    // Normally joined by the derived destructor already.
    running_ = false;
    Join();
}

bool CThreadBasic::Start(bool repeat, std::chrono::milliseconds interval) {
    if (running_.load() || thread_.joinable()) {
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        done_ = false;
    }
    running_ = true;
    thread_ = std::thread([this, repeat, interval] { ThreadProc(repeat, interval); });
    return true;
}

void CThreadBasic::ThreadProc(bool repeat, std::chrono::milliseconds interval) {
    if (!repeat) {
        Run();
    } else {
        while (running_.load()) {
            Run();
            if (interval.count() > 0) {
                std::unique_lock lock(mutex_);
                changed_.wait_for(lock, interval, [this] { return !running_.load(); });
            }
        }
    }
    std::lock_guard lock(mutex_);
    done_ = true;
    changed_.notify_all();
}

bool CThreadBasic::Stop(std::chrono::milliseconds wait) {
    {
        std::lock_guard lock(mutex_);
        running_ = false;
    }
    changed_.notify_all();
    WakeForStop();
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, wait, [this] { return done_; });
}

void CThreadBasic::Join() {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) {
        thread_.join();
    }
}

}  // namespace mousedeck::hid
