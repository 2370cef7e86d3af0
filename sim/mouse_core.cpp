#include "sim/mouse_core.h"

#include "sim/interface_layout.h"

#include <algorithm>

namespace mousedeck::sim {
MouseCore::MouseCore(SimProduct product, SimOptions options)
    : product_(std::move(product)),
      options_(std::move(options)),
      unit_(options_.unit > 0 ? options_.unit : NextUnit()),
      log_(options_.log_path),
      state_file_(options_.state_path),
      commands_(product_),
      latency_(options_.reply_latency) {
    const auto saved = state_file_.Load();
    if (saved && saved->device_id == product_.device_id) {
        state_ = *saved;
        state_.cable_plugged = state_.cable_plugged && product_.ModeOf(0) != nullptr;
        state_.receiver_plugged = state_.receiver_plugged && product_.ModeOf(1) != nullptr;
    } else {
        state_ = MouseState::Factory(product_);
        PersistLocked();
    }
}

MouseCore::~MouseCore() = default;

bool MouseCore::PluggedLocked(int mode) const {
    return mode == 0 ? state_.cable_plugged : mode == 1 && state_.receiver_plugged;
}

std::vector<Endpoint> MouseCore::EndpointsOfMode(int mode) const {
    const SimMode* m = product_.ModeOf(mode);
    if (m == nullptr) {
        return {};
    }
    return InterfacesOf(*m, unit_, mode == 0 ? state_.firmware : state_.receiver_firmware);
}

std::vector<Endpoint> MouseCore::EndpointsLocked() const {
    std::vector<Endpoint> all;
    for (const int mode : {0, 1}) {
        if (PluggedLocked(mode)) {
            auto endpoints = EndpointsOfMode(mode);
            all.insert(all.end(), endpoints.begin(), endpoints.end());
        }
    }
    return all;
}

std::vector<hid::HidDeviceInfo> MouseCore::Enumerate(uint16_t vendor_id, uint16_t product_id) {
    std::unique_lock lock(mutex_);
    SyncFromDiskLocked();
    std::vector<hid::HidDeviceInfo> found;
    for (const auto& e : EndpointsLocked()) {
        if ((vendor_id == 0 || e.info.vendor_id == vendor_id) &&
            (product_id == 0 || e.info.product_id == product_id)) {
            found.push_back(e.info);
        }
    }
    Dispatch(lock);
    return found;
}

std::shared_ptr<ReportChannel> MouseCore::Open(const std::string& path, Endpoint* endpoint) {
    std::unique_lock lock(mutex_);
    SyncFromDiskLocked();
    std::shared_ptr<ReportChannel> channel;
    for (const auto& e : EndpointsLocked()) {
        if (e.info.path == path) {
            channel = std::make_shared<ReportChannel>();
            channels_.emplace_back(e, channel);
            *endpoint = e;
            if (e.role == InterfaceRole::kCommand && DeliverOwedLocked(e.mode)) {
                PersistLocked();
            }
            break;
        }
    }
    Dispatch(lock);
    return channel;
}

void MouseCore::Close(const std::shared_ptr<ReportChannel>& channel) {
    std::lock_guard lock(mutex_);
    std::erase_if(channels_, [&](const auto& entry) { return entry.second == channel; });
}

int MouseCore::Write(const Endpoint& endpoint, const std::shared_ptr<ReportChannel>& channel,
                     std::span<const uint8_t> report) {
    log_.HostWrote(report);
    std::unique_lock lock(mutex_);
    SyncFromDiskLocked();
    int result = -1;
    if (!channel->Gone()) {
        switch (endpoint.role) {
            case InterfaceRole::kPointer:
                break;  // no output report
            case InterfaceRole::kKeyboard:
                // The LED output report: one byte after the report id.
                result = report.size() <= 2 ? static_cast<int>(report.size()) : -1;
                break;
            case InterfaceRole::kCommand:
                result = WriteCommandLocked(endpoint, report);
                break;
            case InterfaceRole::kBootLoader:
                result = WriteBootLocked(endpoint, report);
                break;
        }
    }
    Dispatch(lock);
    return result;
}

std::optional<int> MouseCore::FaultLocked(FaultTarget target, const Endpoint& endpoint, int written,
                                          std::span<const uint8_t> refusal, SimClock::time_point due,
                                          std::size_t& answer_length) {
    const auto fault = faults_.Next(target);
    if (!fault) {
        return std::nullopt;
    }
    switch (fault->kind) {
        case FaultKind::kWriteFailure:
            return -1;
        case FaultKind::kNoReply:
            return written;
        case FaultKind::kUnplug:
            PlugLocked(endpoint.mode, false);
            return written;
        case FaultKind::kNak:
            ReplyLocked(endpoint, refusal, due);
            return written;
        case FaultKind::kGarbage:
            ReplyLocked(endpoint, NoiseLocked(refusal[0]), due);
            return written;
        case FaultKind::kShortReply:
            answer_length =
                static_cast<std::size_t>(std::clamp(fault->short_length, 1, static_cast<int>(answer_length)));
            return std::nullopt;
    }
    return std::nullopt;
}

int MouseCore::WriteCommandLocked(const Endpoint& endpoint, std::span<const uint8_t> report) {
    // The command interface has one unnumbered output report of 64 bytes.
    if (report.empty() || report.size() > kOutputReportSize || report[0] != 0x00) {
        return -1;
    }
    OutputReport frame{};
    std::copy(report.begin(), report.end(), frame.begin());
    const int written = static_cast<int>(report.size());
    const auto due = SimClock::now() + latency_;
    InputReport refusal{};
    refusal[0] = frame[1];
    refusal[1] = kStatusRejected;
    std::size_t reply_length = kInputReportSize;
    if (const auto result =
            FaultLocked(FaultTarget::kCommands, endpoint, written, refusal, due, reply_length)) {
        return *result;
    }
    const auto outcome = commands_.Handle(frame, state_, endpoint.mode == 1);
    if (outcome.state_changed) {
        PersistLocked();
    }
    ReplyLocked(endpoint, std::span<const uint8_t>(outcome.reply).first(reply_length), due);
    return written;
}

int MouseCore::WriteBootLocked(const Endpoint& endpoint, std::span<const uint8_t> report) {
    if (report.empty() || report.size() > kBootReportSize || report[0] != kBootReportId) {
        return -1;
    }
    if (endpoint.mode == 1 && !state_.mouse_on) {
        return -1;  // the receiver has no mouse to pass the report to
    }
    BootReport boot{};
    std::copy(report.begin(), report.end(), boot.begin());
    const int written = static_cast<int>(report.size());
    const auto due = SimClock::now() + latency_;
    BootReport refusal{};
    refusal.fill(0xFF);
    refusal[0] = kBootReportId;
    refusal[1] = kStatusRejected;
    std::size_t answer_length = kBootReportSize;
    if (const auto result =
            FaultLocked(FaultTarget::kBootLoader, endpoint, written, refusal, due, answer_length)) {
        return *result;
    }
    auto outcome = boot_.Take(boot);
    ReplyLocked(endpoint, std::span<const uint8_t>(outcome.answer).first(answer_length), due);
    if (outcome.image) {
        state_.firmware = ReleaseFromImage(*outcome.image, state_.firmware);
        flashed_image_ = std::move(outcome.image);
        PersistLocked();
        if (options_.reboot_after_upgrade) {
            RebootLocked();
        }
    }
    return written;
}

void MouseCore::RebootLocked() {
    if (PluggedLocked(0)) {
        PlugLocked(0, false);
        PlugLocked(0, true);
    }
    if (PluggedLocked(1) && state_.mouse_on) {
        const auto now = SimClock::now();
        SendToLocked(1, InterfaceRole::kCommand, ConnectionNotification(false, state_.battery), now);
        SendToLocked(1, InterfaceRole::kCommand, ConnectionNotification(true, state_.battery), now);
    }
}

std::vector<uint8_t> MouseCore::NoiseLocked(uint8_t first) {
    std::vector<uint8_t> noise(kInputReportSize);
    for (auto& b : noise) {
        noise_seed_ ^= noise_seed_ << 13;
        noise_seed_ ^= noise_seed_ >> 17;
        noise_seed_ ^= noise_seed_ << 5;
        b = static_cast<uint8_t>(noise_seed_ >> 24);
    }
    // Byte 0 echoes the request so the noise is never read as a
    // notification, and byte 1 is never the success mark.
    noise[0] = first;
    if (noise[1] == 0) {
        noise[1] = 0xA5;
    }
    return noise;
}

void MouseCore::ReplyLocked(const Endpoint& endpoint, std::span<const uint8_t> report,
                            SimClock::time_point due) {
    // hidraw hands every input report to each open reader of the interface.
    for (const auto& [e, channel] : channels_) {
        if (e.info.path == endpoint.info.path) {
            channel->Push(std::vector<uint8_t>(report.begin(), report.end()), due);
        }
    }
}

void MouseCore::SendToLocked(int mode, InterfaceRole role, std::vector<uint8_t> report,
                             SimClock::time_point due) {
    bool delivered = false;
    for (const auto& [e, channel] : channels_) {
        if (e.mode == mode && e.role == role) {
            channel->Push(report, due);
            delivered = true;
        }
    }
    // While syncing, the process that made the change has already owed or
    // delivered what it sent.
    if (!delivered && !syncing_ && state_file_.Enabled() && role == InterfaceRole::kCommand &&
        PluggedLocked(mode)) {
        state_.Owe(mode, std::move(report));
        PersistLocked();
    }
}

bool MouseCore::DeliverOwedLocked(int mode) {
    const bool listening = std::any_of(channels_.begin(), channels_.end(), [&](const auto& entry) {
        return entry.first.mode == mode && entry.first.role == InterfaceRole::kCommand;
    });
    if (!listening) {
        return false;
    }
    const auto owed = state_.TakeOwed(mode);
    for (const auto& report : owed) {
        SendToLocked(mode, InterfaceRole::kCommand, report, SimClock::now());
    }
    return !owed.empty();
}

void MouseCore::PlugLocked(int mode, bool plugged) {
    if (product_.ModeOf(mode) == nullptr || PluggedLocked(mode) == plugged) {
        return;
    }
    if (!plugged) {
        for (auto& e : EndpointsOfMode(mode)) {
            pending_events_.push_back({PlugEvent::Kind::kRemoval, std::move(e.info)});
        }
        std::erase_if(channels_, [&](const auto& entry) {
            if (entry.first.mode != mode) {
                return false;
            }
            entry.second->MarkGone();
            return true;
        });
    }
    (mode == 0 ? state_.cable_plugged : state_.receiver_plugged) = plugged;
    if (plugged) {
        for (auto& e : EndpointsOfMode(mode)) {
            pending_events_.push_back({PlugEvent::Kind::kArrival, std::move(e.info)});
        }
    }
    PersistLocked();
}

void MouseCore::SetPowerLocked(bool on, bool notify) {
    if (state_.mouse_on == on) {
        return;
    }
    state_.mouse_on = on;
    if (notify) {
        SendToLocked(1, InterfaceRole::kCommand, ConnectionNotification(on, state_.battery), SimClock::now());
    }
    PersistLocked();
}

void MouseCore::SyncFromDiskLocked() {
    if (!state_file_.ChangedOnDisk()) {
        return;
    }
    const auto saved = state_file_.Load();
    if (!saved || saved->device_id != product_.device_id) {
        return;
    }
    // Another process changed the mouse: take its settings, then replay its
    // connection changes so this process's handles and listeners see them.
    MouseState next = *saved;
    next.cable_plugged = state_.cable_plugged;
    next.receiver_plugged = state_.receiver_plugged;
    next.mouse_on = state_.mouse_on;
    state_ = next;
    syncing_ = true;
    PlugLocked(0, saved->cable_plugged);
    PlugLocked(1, saved->receiver_plugged);
    // A connection report owed by the other process tells of the change
    // itself; replaying it as well would report it twice.
    SetPowerLocked(saved->mouse_on, !saved->Owes(1, kConnectionNotification));
    syncing_ = false;
    const bool cable_took = DeliverOwedLocked(0);
    const bool receiver_took = DeliverOwedLocked(1);
    if (cable_took || receiver_took) {
        PersistLocked();
    }
}

void MouseCore::PersistLocked() {
    if (!syncing_) {
        state_saved_ = state_file_.Save(state_);
    }
}

void MouseCore::Dispatch(std::unique_lock<std::mutex>& lock) {
    if (pending_events_.empty()) {
        lock.unlock();
        return;
    }
    auto events = std::move(pending_events_);
    pending_events_.clear();
    std::vector<PlugListener> listeners;
    for (const auto& [id, listener] : listeners_) {
        listeners.push_back(listener);
    }
    lock.unlock();
    for (const auto& event : events) {
        for (const auto& listener : listeners) {
            listener(event);
        }
    }
}

}  // namespace mousedeck::sim
