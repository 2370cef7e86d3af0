#include "update/flash_guard.h"

#include "update/update_observer.h"

namespace mousedeck::update {

FlashGuard::Scope::Scope(FlashGuard& guard) : guard_(guard) {
    std::lock_guard lock(guard_.mutex_);
    ++guard_.running_;
}

FlashGuard::Scope::~Scope() {
    {
        std::lock_guard lock(guard_.mutex_);
        --guard_.running_;
    }
    guard_.idle_.notify_all();
}

bool FlashGuard::Running() const {
    std::lock_guard lock(mutex_);
    return running_ > 0;
}

void FlashGuard::WaitUntilIdle() const {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return running_ == 0; });
}

bool FlashGuard::WaitUntilIdleFor(std::chrono::milliseconds limit) const {
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, limit, [this] { return running_ == 0; });
}

void WaitForFlashBeforeExit(const FlashGuard& guard, UpdateObserver& observer) {
    if (!guard.Running()) {
        return;
    }
    observer.ShowExitWaitsForFlash();
    guard.WaitUntilIdle();
}

}  // namespace mousedeck::update
