#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace mousedeck::hid {

// A thread that runs the body Run() once or in a loop until stopped.
//
// Stop asks the loop to end and waits a bounded time for it; a body still busy
// then (a firmware flash, say) is not interrupted. The thread is joined by
// Join, which a derived class calls in its destructor so that Run never runs
// on a half-destroyed object.
class CThreadBasic {
public:
    virtual ~CThreadBasic();
    CThreadBasic(const CThreadBasic&) = delete;
    CThreadBasic& operator=(const CThreadBasic&) = delete;

    // Starts the thread unless it runs already. With repeat, Run is called
    // again after each return, `interval` apart, until Stop; otherwise once.
    bool Start(bool repeat, std::chrono::milliseconds interval);
    // Clears the running flag, wakes the body (WakeForStop) and waits up to
    // `wait` for the thread to leave. True when it did.
    bool Stop(std::chrono::milliseconds wait);
    bool Running() const { return running_.load(); }

protected:
    CThreadBasic() = default;
    virtual void Run() = 0;
    // Called by Stop on the stopping thread, so that a body waiting for work
    // notices at once.
    virtual void WakeForStop() {}
    // Waits for the thread; blocks as long as the body still runs.
    void Join();

private:
    void ThreadProc(bool repeat, std::chrono::milliseconds interval);

    std::atomic<bool> running_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    bool done_ = true;
    std::thread thread_;
};

}  // namespace mousedeck::hid
