#include "sim/report_channel.h"

#include <algorithm>

namespace mousedeck::sim {

void ReportChannel::Push(std::vector<uint8_t> report, SimClock::time_point due) {
    {
        std::lock_guard lock(mutex_);
        if (gone_) {
            return;
        }
        if (queue_.size() >= kCapacity) {
            queue_.pop_front();
        }
        // Keep due order; equal due times keep their sending order.
        const auto at = std::upper_bound(queue_.begin(), queue_.end(), due,
                                         [](SimClock::time_point t, const Pending& p) { return t < p.due; });
        queue_.insert(at, Pending{due, std::move(report)});
    }
    ready_.notify_all();
}

void ReportChannel::MarkGone() {
    {
        std::lock_guard lock(mutex_);
        gone_ = true;
        queue_.clear();
    }
    ready_.notify_all();
}

void ReportChannel::CancelReads() {
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
    }
    ready_.notify_all();
}

bool ReportChannel::Gone() const {
    std::lock_guard lock(mutex_);
    return gone_;
}

std::size_t ReportChannel::QueuedCount() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

int ReportChannel::Pop(std::span<uint8_t> buffer, int timeout_ms, const TrafficLog& log) {
    const auto deadline = SimClock::now() + std::chrono::milliseconds(std::max(timeout_ms, 0));
    std::unique_lock lock(mutex_);
    for (;;) {
        if (gone_) {
            return -1;
        }
        if (cancelled_) {
            return 0;
        }
        const auto now = SimClock::now();
        if (!queue_.empty() && queue_.front().due <= now) {
            break;
        }
        if (timeout_ms >= 0 && now >= deadline) {
            return 0;
        }
        if (queue_.empty()) {
            if (timeout_ms < 0) {
                ready_.wait(lock);
            } else {
                ready_.wait_until(lock, deadline);
            }
        } else {
            const auto due = queue_.front().due;
            ready_.wait_until(lock, timeout_ms < 0 ? due : std::min(due, deadline));
        }
    }
    Pending report = std::move(queue_.front());
    queue_.pop_front();
    lock.unlock();
    const std::size_t n = std::min(buffer.size(), report.bytes.size());
    std::copy_n(report.bytes.begin(), n, buffer.begin());
    log.MouseSent(std::span<const uint8_t>(report.bytes.data(), n));
    return static_cast<int>(n);
}

}  // namespace mousedeck::sim
