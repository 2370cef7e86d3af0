#include "hid/interface_channel.h"

#include <algorithm>

namespace mousedeck::hid {

InterfaceChannel::InterfaceChannel(std::unique_ptr<HidHandle> handle, Listener listener)
    : handle_(std::move(handle)), listener_(std::move(listener)) {
    reader_ = std::thread([this] { ReadLoop(); });
}

InterfaceChannel::~InterfaceChannel() { Close(); }

void InterfaceChannel::Close() {
    {
        std::lock_guard lock(mutex_);
        if (closing_ && !reader_.joinable()) {
            return;
        }
        closing_ = true;
        lost_ = true;
    }
    changed_.notify_all();
    if (handle_) {
        handle_->CancelReads();
    }
    if (reader_.joinable()) {
        reader_.join();
    }
    handle_.reset();
}

void InterfaceChannel::ReadLoop() {
    const int timeout = handle_->CanCancelReads() ? -1 : kReadSliceMs;
    InputReport report;
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (closing_) {
                return;
            }
        }
        const int n = handle_->Read(report.bytes, timeout);
        if (n == 0) {
            continue;  // time-out slice, or cancelled by Close
        }
        Event event = Event::kReport;
        {
            std::lock_guard lock(mutex_);
            if (closing_) {
                return;
            }
            if (n < 0) {
                lost_ = true;
                event = Event::kLost;
            } else {
                report.size = std::min(static_cast<size_t>(n), report.bytes.size());
                if (reports_.size() == kMaxQueued) {
                    reports_.pop_front();
                }
                reports_.push_back(report);
            }
        }
        changed_.notify_all();
        if (listener_) {
            listener_(event);
        }
        if (event == Event::kLost) {
            return;  // a vanished interface is never read again
        }
        report = InputReport{};
    }
}

int InterfaceChannel::Write(std::span<const uint8_t> report) {
    {
        std::lock_guard lock(mutex_);
        if (lost_) {
            return -1;
        }
    }
    // The handle stays valid: only Close, on this same (worker) thread or in
    // the destructor, releases it.
    return handle_->Write(report);
}

std::optional<InputReport> InterfaceChannel::Take(std::chrono::milliseconds wait,
                                                  const std::function<bool(const InputReport&)>& wanted) {
    std::unique_lock lock(mutex_);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        const auto it = std::ranges::find_if(reports_, wanted);
        if (it != reports_.end()) {
            InputReport found = *it;
            reports_.erase(it);
            return found;
        }
        if (lost_ || changed_.wait_until(lock, deadline) == std::cv_status::timeout) {
            // One last look: a report may have come with the time-out.
            const auto late = std::ranges::find_if(reports_, wanted);
            if (late == reports_.end()) {
                return std::nullopt;
            }
            InputReport found = *late;
            reports_.erase(late);
            return found;
        }
    }
}

std::optional<InputReport> InterfaceChannel::TakeNext(std::chrono::milliseconds wait) {
    return Take(wait, [](const InputReport&) { return true; });
}

std::optional<InputReport> InterfaceChannel::PeekNext(std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    changed_.wait_until(lock, deadline, [this] { return lost_ || !reports_.empty(); });
    if (reports_.empty()) {
        return std::nullopt;
    }
    return reports_.front();
}

void InterfaceChannel::Discard(const std::function<bool(const InputReport&)>& unwanted) {
    std::lock_guard lock(mutex_);
    std::erase_if(reports_, unwanted);
}

bool InterfaceChannel::HasReport() const {
    std::lock_guard lock(mutex_);
    return !reports_.empty();
}

bool InterfaceChannel::HasReport(const std::function<bool(const InputReport&)>& wanted) const {
    std::lock_guard lock(mutex_);
    return std::ranges::any_of(reports_, wanted);
}

bool InterfaceChannel::Lost() const {
    std::lock_guard lock(mutex_);
    return lost_;
}

}  // namespace mousedeck::hid
