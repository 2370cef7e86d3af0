#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace mousedeck::update {

class UpdateObserver;

// Whether a firmware flash is running. A flash cut short can leave the mouse
// without working firmware, so every way out of the program (closing the
// window, the tray's exit, a new instance's quit request, starting the
// application installer) waits on this first.
//
// Thread-safe. The flash holds a Scope on the device worker; the exit path
// waits on any other thread. Scopes may nest or overlap.
class FlashGuard {
public:
    class Scope {
    public:
        explicit Scope(FlashGuard& guard);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        FlashGuard& guard_;
    };

    bool Running() const;
    // Returns once no flash runs.
    void WaitUntilIdle() const;
    // False when a flash still runs after `limit`.
    bool WaitUntilIdleFor(std::chrono::milliseconds limit) const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable idle_;
    int running_ = 0;
};

// For the exit path: when a flash runs, tells the user why the program does
// not end yet (UpdateObserver::ShowExitWaitsForFlash, on the calling thread)
// and waits until it has finished. Returns at once otherwise.
void WaitForFlashBeforeExit(const FlashGuard& guard, UpdateObserver& observer);

}  // namespace mousedeck::update
