#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "hid/command_frame.h"
#include "hid/exchange_timing.h"
#include "hid/hid_backend.h"
#include "hid/hid_interface.h"
#include "hid/match_rule.h"

namespace mousedeck::hid {

class InterfaceChannel;

struct UsbIds {
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
};

// The device channel: finds the command interfaces of supported mice, tells
// each one's product by asking the mouse for its id, picks the interface that
// carries commands (a cable wins over the receiver) and performs the command
// exchange. One object, owned by the application controller and handed by
// reference to everything that talks to the mouse.
//
// Threads. Everything that does I/O or changes the interface list runs on the
// device worker: Enumerate, CloseAll, Identify, SelectInterface, Send,
// ReadNotification, PollDongleState, SetOnlineState, OpenUpgradeInterface,
// UpgradeExchange, NotificationPending. Rules are set before the worker
// starts. Any thread may call the queries ConnectionKind, IsIdentified,
// ReleaseNumberOf, InterfacesOfCurrentType, CurrentDeviceType and
// SetCurrentDeviceType; they take the manager's mutex, which is never held
// during I/O.
//
// Every open command interface is read by a thread of its own, so a reply
// or a notification is queued the moment it arrives and the worker can wait
// for "task queued or report arrived" instead of polling.
class DeviceManager {
public:
    // Called on a reader thread whenever a report was queued or an interface
    // vanished; the worker uses it to wake up.
    using InputListener = std::function<void()>;
    // Diagnostics: what was skipped or failed, with the bytes involved (the
    // frame as a failed exchange left it). Runs on the worker thread; set it
    // before the worker starts.
    using Trace = std::function<void(std::string_view message, std::span<const uint8_t> bytes)>;

    explicit DeviceManager(HidBackend& backend, ExchangeTiming timing = {});
    ~DeviceManager();
    DeviceManager(const DeviceManager&) = delete;
    DeviceManager& operator=(const DeviceManager&) = delete;

    void SetInputListener(InputListener listener);
    void SetTrace(Trace trace) { trace_ = std::move(trace); }

    // Rules, in catalogue order.
    void ClearRules();
    void AddRule(MatchRule rule);
    bool IsSupported(uint16_t vendor_id, uint16_t product_id) const;
    int ModeOf(uint16_t vendor_id, uint16_t product_id) const;
    int ResolveType(uint16_t vendor_id, uint16_t product_id, const std::string& device_id) const;

    // Opens every supported command interface (usage page 0x0001 usage 0x0000,
    // or 0xFF01/0x0010), identifies it and appends it; then marks the manager
    // opened. A path already open is not opened twice (hidraw lists one node
    // once per top-level collection).
    void Enumerate();
    // When opened: closes every interface, empties the list and the selection
    // and clears opened. Otherwise nothing.
    void CloseAll();
    bool Opened() const;

    // The identity query (command 0x10) through interface `index` of the list;
    // on success the reply is in `reply`.
    bool Identify(size_t index, std::array<uint8_t, 65>& reply);

    int CurrentDeviceType() const;
    // Also empties the selection, as every change of the current type must.
    void SetCurrentDeviceType(int device_type);
    void ClearSelection();

    // The interface for commands: the cached one if any; else the first open
    // wired interface of the current type; else the first open dongle
    // interface of the current type if its mouse is online. Nothing otherwise.
    std::optional<HidInterface> SelectInterface();
    // 0 when a wired interface of the current type is listed, 1 when only a
    // dongle one is, -1 when none; online state does not count.
    int ConnectionKind() const;

    // The command exchange: stores the checksum in byte 32, writes the first
    // `length` bytes (33..65) to the selected interface and waits for a reply
    // whose byte 1 is 0x00, at most reply_attempts reads of reply_wait each.
    // The frame then holds the reply, or after a failure the last reply read,
    // or the request when nothing was read. Notifications that arrive
    // meanwhile are kept for ReadNotification, never taken as the reply, and
    // replies left over from an earlier exchange are dropped first.
    bool Send(CommandFrame& frame, size_t length);

    // One notification: through the selected interface (waiting up to
    // notification_wait); with none selected, from the first receiver that
    // has a report, which also keeps its online state and identity in step
    // with connection reports (that path returns false even when it filled
    // the buffer). `device_type` is the type the report belongs to.
    bool ReadNotification(std::array<uint8_t, 65>& buffer, int& device_type);
    // True when ReadNotification would find a report at once.
    bool NotificationPending();
    // Looks for a connection report at the head of each receiver of the
    // current type and records kOnline or kOfflineByPoll; the report stays
    // queued for ReadNotification.
    void PollDongleState();

    void SetOnlineState(int device_type, int connection_mode, int value);
    std::optional<int> ReleaseNumberOf(int connection_mode) const;
    // Interfaces of the current type (all when it is 0); empty when none.
    std::vector<HidInterface> InterfacesOfCurrentType() const;
    bool IsIdentified(int device_type) const;
    std::optional<UsbIds> SelectedIds();
    // Interfaces that vanished since the manager was made (monotonic).
    uint64_t LostCount() const { return lost_count_.load(); }
    // Reports ReadNotification has handed out so far (monotonic).
    uint64_t NotificationsRead() const { return notifications_read_.load(); }

    // Opens the boot-loader interface (usage page 0xFFEF, usage 0) of these
    // ids as the upgrade handle, replacing and closing an earlier one.
    bool OpenUpgradeInterface(uint16_t vendor_id, uint16_t product_id);
    // Writes 64 bytes to the boot-loader; true at once if that worked.
    // Otherwise writes once more after upgrade_retry_delay and reads 64 bytes
    // into `buffer`: true when data came.
    bool UpgradeExchange(std::span<uint8_t, 64> buffer);

private:
    struct Entry;
    static bool IsOpen(const Entry& entry);
    static HidInterface Snapshot(const Entry& entry);

    bool Exchange(InterfaceChannel& channel, CommandFrame& frame, size_t write_length, size_t read_length);
    bool IdentifyChannel(InterfaceChannel& channel, std::array<uint8_t, 65>& reply);
    // Identify with one retry after identify_retry_delay.
    bool IdentifyTwice(InterfaceChannel& channel, std::array<uint8_t, 65>& reply);
    std::optional<size_t> SelectIndexLocked();
    InterfaceChannel* ChannelAt(size_t index) const;
    void OnChannelEvent(bool lost);
    void SetOnlineStateLocked(int device_type, int connection_mode, int value);
    void ApplyConnectionReport(size_t index, const std::array<uint8_t, 65>& report);

    void Note(std::string_view message, std::span<const uint8_t> bytes = {}) const {
        if (trace_) {
            trace_(message, bytes);
        }
    }

    HidBackend& backend_;
    Trace trace_;
    const ExchangeTiming timing_;
    MatchRules rules_;

    mutable std::mutex mutex_;  // guards everything below except channels' I/O
    std::vector<std::unique_ptr<Entry>> entries_;
    bool opened_ = false;
    int current_type_ = 0;
    std::optional<size_t> selected_;

    std::mutex listener_mutex_;
    InputListener listener_;
    std::atomic<uint64_t> lost_count_{0};
    std::atomic<uint64_t> notifications_read_{0};

    // Command code of the last exchange that got no success mark: its reply
    // may still come and must not pass for the next command's.
    std::optional<uint8_t> unanswered_command_;

    std::unique_ptr<HidHandle> upgrade_handle_;
};

}  // namespace mousedeck::hid
