#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <thread>

#include "hid/hid_backend.h"
#include "hid/input_report.h"

namespace mousedeck::hid {

// One open command interface: the handle, a reader thread that blocks in Read
// and queues every input report, and the queue the command exchange and the
// notification read take reports from. Writes go straight to the handle from
// the caller's thread (the device worker).
//
// The reader calls the listener after each queued report and once when the
// interface vanishes (a read error, which is how hidraw reports a hang-up);
// it then stops reading for good. The listener runs on the reader thread.
class InterfaceChannel {
public:
    enum class Event { kReport, kLost };
    using Listener = std::function<void(Event)>;

    // Reports kept when nobody takes them; the oldest goes first, like the
    // kernel's own per-reader buffer.
    static constexpr size_t kMaxQueued = 64;
    // Read slice for handles that cannot wake a blocked read: bounds how long
    // closing waits for the reader.
    static constexpr int kReadSliceMs = 200;

    InterfaceChannel(std::unique_ptr<HidHandle> handle, Listener listener);
    ~InterfaceChannel();
    InterfaceChannel(const InterfaceChannel&) = delete;
    InterfaceChannel& operator=(const InterfaceChannel&) = delete;

    // Bytes written, or -1 on failure or when the interface is gone.
    int Write(std::span<const uint8_t> report);

    // Removes and returns the first queued report for which `wanted` holds,
    // waiting up to `wait` for one to arrive. Nothing when the wait ends or
    // the interface is gone.
    std::optional<InputReport> Take(std::chrono::milliseconds wait,
                                    const std::function<bool(const InputReport&)>& wanted);
    // Take of the head report, whatever it is.
    std::optional<InputReport> TakeNext(std::chrono::milliseconds wait);
    // A copy of the head report, which stays queued for whoever takes it;
    // waits up to `wait` for one like Take.
    std::optional<InputReport> PeekNext(std::chrono::milliseconds wait);
    // Drops every queued report for which `unwanted` holds.
    void Discard(const std::function<bool(const InputReport&)>& unwanted);

    bool HasReport() const;
    bool HasReport(const std::function<bool(const InputReport&)>& wanted) const;
    bool Lost() const;

    // Stops the reader and closes the handle; later writes fail and takes
    // give nothing. Called by the destructor.
    void Close();

private:
    void ReadLoop();

    std::unique_ptr<HidHandle> handle_;
    Listener listener_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<InputReport> reports_;
    bool lost_ = false;
    bool closing_ = false;
    std::thread reader_;
};

}  // namespace mousedeck::hid
