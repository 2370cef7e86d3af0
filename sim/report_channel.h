#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>
#include <vector>

#include "sim/traffic_log.h"

namespace mousedeck::sim {

using SimClock = std::chrono::steady_clock;

// The input-report buffer of one open handle, as hidraw keeps one per open
// file: reports are queued in the order they become due and a full buffer
// drops its oldest report. A report is readable from its due time on, which
// is how reply latency is modelled: readers sleep on a condition variable
// until a report is due, the time-out passes or the interface goes away.
// Thread-safe; it has its own lock so a blocked reader never holds up the
// mouse.
class ReportChannel {
public:
    // Matches the kernel's hidraw buffer of 64 reports per reader.
    static constexpr std::size_t kCapacity = 64;

    void Push(std::vector<uint8_t> report, SimClock::time_point due);
    // The interface was removed: every blocked and later read fails.
    void MarkGone();
    bool Gone() const;
    // Makes the blocked read and every later one return 0 at once, so a
    // reader thread can be stopped.
    void CancelReads();
    // Reports queued, due or not.
    std::size_t QueuedCount() const;

    // hidapi read semantics: bytes copied (a report longer than the buffer
    // is cut), 0 on time-out or after CancelReads, -1 once gone. timeout_ms < 0 waits without
    // limit. Delivered reports are logged as "<" lines.
    int Pop(std::span<uint8_t> buffer, int timeout_ms, const TrafficLog& log);

private:
    struct Pending {
        SimClock::time_point due;
        std::vector<uint8_t> bytes;
    };

    mutable std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Pending> queue_;
    bool gone_ = false;
    bool cancelled_ = false;
};

}  // namespace mousedeck::sim
