#include "hid/device_manager.h"

#include <algorithm>
#include <thread>

#include "hid/command_exchange.h"
#include "hid/interface_channel.h"

namespace mousedeck::hid {

namespace {

constexpr uint8_t kIdentityCommand = 0x10;
constexpr uint16_t kBootloaderUsagePage = 0xFFEF;

bool IsCommandCollection(const HidDeviceInfo& info) {
    return (info.usage_page == 0x0001 && info.usage == 0x0000) ||
           (info.usage_page == 0xFF01 && info.usage == 0x0010);
}

}  // namespace

struct DeviceManager::Entry {
    HidInterface info;  // `open` is filled in by Snapshot
    std::unique_ptr<InterfaceChannel> channel;
};

bool DeviceManager::IsOpen(const Entry& entry) { return entry.channel && !entry.channel->Lost(); }

HidInterface DeviceManager::Snapshot(const Entry& entry) {
    HidInterface copy = entry.info;
    copy.open = IsOpen(entry);
    return copy;
}

DeviceManager::DeviceManager(HidBackend& backend, ExchangeTiming timing) : backend_(backend), timing_(timing) {}

DeviceManager::~DeviceManager() {
    std::vector<std::unique_ptr<Entry>> closing;
    {
        std::lock_guard lock(mutex_);
        closing.swap(entries_);
    }
    closing.clear();  // joins the readers outside the lock
}

void DeviceManager::SetInputListener(InputListener listener) {
    std::lock_guard lock(listener_mutex_);
    listener_ = std::move(listener);
}

void DeviceManager::OnChannelEvent(bool lost) {
    if (lost) {
        lost_count_.fetch_add(1);  // the worker notices it through the listener
    }
    std::lock_guard lock(listener_mutex_);
    if (listener_) {
        listener_();
    }
}

void DeviceManager::ClearRules() { rules_.Clear(); }
void DeviceManager::AddRule(MatchRule rule) { rules_.Add(std::move(rule)); }

bool DeviceManager::IsSupported(uint16_t vendor_id, uint16_t product_id) const {
    return rules_.IsSupported(vendor_id, product_id);
}

int DeviceManager::ModeOf(uint16_t vendor_id, uint16_t product_id) const {
    return rules_.ModeOf(vendor_id, product_id);
}

int DeviceManager::ResolveType(uint16_t vendor_id, uint16_t product_id, const std::string& device_id) const {
    return rules_.ResolveType(vendor_id, product_id, device_id);
}

void DeviceManager::Enumerate() {
    for (const HidDeviceInfo& found : backend_.Enumerate(0, 0)) {
        if (!IsSupported(found.vendor_id, found.product_id) || !IsCommandCollection(found)) {
            continue;
        }
        {
            std::lock_guard lock(mutex_);
            if (std::ranges::any_of(entries_, [&](const auto& e) { return e->info.path == found.path; })) {
                continue;
            }
        }
        std::unique_ptr<HidHandle> handle = backend_.Open(found.path);
        if (!handle) {
            Note("cannot open " + found.path);
            continue;
        }
        auto entry = std::make_unique<Entry>();
        entry->info.vendor_id = found.vendor_id;
        entry->info.product_id = found.product_id;
        entry->info.path = found.path;
        entry->info.release_number = found.release_number;
        entry->info.connection_mode = ModeOf(found.vendor_id, found.product_id);
        entry->channel = std::make_unique<InterfaceChannel>(
            std::move(handle), [this](InterfaceChannel::Event e) { OnChannelEvent(e == InterfaceChannel::Event::kLost); });

        std::array<uint8_t, 65> reply{};
        if (IdentifyTwice(*entry->channel, reply)) {
            entry->info.identity_reply = reply;
            entry->info.device_id = DeviceIdFromReply(&reply[4]);
            entry->info.device_type = ResolveType(found.vendor_id, found.product_id, entry->info.device_id);
            Note("identified " + found.path + " as " + entry->info.device_id + ", type " +
                     std::to_string(entry->info.device_type),
                 reply);
        } else {
            Note("no identity reply from " + found.path);
        }
        std::lock_guard lock(mutex_);
        entries_.push_back(std::move(entry));
    }
    std::lock_guard lock(mutex_);
    opened_ = true;
}

void DeviceManager::CloseAll() {
    std::vector<std::unique_ptr<Entry>> closing;
    {
        std::lock_guard lock(mutex_);
        if (!opened_) {
            return;
        }
        opened_ = false;
        selected_.reset();
        closing.swap(entries_);
    }
    closing.clear();
}

bool DeviceManager::Opened() const {
    std::lock_guard lock(mutex_);
    return opened_;
}

InterfaceChannel* DeviceManager::ChannelAt(size_t index) const {
    std::lock_guard lock(mutex_);
    return index < entries_.size() ? entries_[index]->channel.get() : nullptr;
}

bool DeviceManager::Identify(size_t index, std::array<uint8_t, 65>& reply) {
    InterfaceChannel* channel = ChannelAt(index);
    return channel != nullptr && IdentifyChannel(*channel, reply);
}

bool DeviceManager::IdentifyChannel(InterfaceChannel& channel, std::array<uint8_t, 65>& reply) {
    CommandFrame frame;
    frame[1] = kIdentityCommand;
    StoreChecksum(frame);
    const bool ok =
        RunExchange(channel, frame, CommandFrame::kShortLength, CommandFrame::kShortLength, timing_, unanswered_command_);
    if (ok) {
        reply = frame.bytes;
    }
    return ok;
}

bool DeviceManager::IdentifyTwice(InterfaceChannel& channel, std::array<uint8_t, 65>& reply) {
    if (IdentifyChannel(channel, reply)) {
        return true;
    }
    if (channel.Lost()) {
        return false;
    }
    std::this_thread::sleep_for(timing_.identify_retry_delay);
    return IdentifyChannel(channel, reply);
}

int DeviceManager::CurrentDeviceType() const {
    std::lock_guard lock(mutex_);
    return current_type_;
}

void DeviceManager::SetCurrentDeviceType(int device_type) {
    std::lock_guard lock(mutex_);
    current_type_ = device_type;
    selected_.reset();
}

void DeviceManager::ClearSelection() {
    std::lock_guard lock(mutex_);
    selected_.reset();
}

std::optional<size_t> DeviceManager::SelectIndexLocked() {
    if (selected_ && *selected_ < entries_.size() && IsOpen(*entries_[*selected_])) {
        return selected_;
    }
    selected_.reset();
    const auto first_of_mode = [&](int mode) -> std::optional<size_t> {
        for (size_t i = 0; i < entries_.size(); ++i) {
            const HidInterface& info = entries_[i]->info;
            if (IsOpen(*entries_[i]) && info.device_type == current_type_ && info.connection_mode == mode) {
                return i;
            }
        }
        return std::nullopt;
    };
    if (const auto wired = first_of_mode(kWiredMode)) {
        selected_ = wired;
    } else if (const auto dongle = first_of_mode(kDongleMode);
               dongle && entries_[*dongle]->info.online_state == kOnline) {
        selected_ = dongle;
    }
    return selected_;
}

std::optional<HidInterface> DeviceManager::SelectInterface() {
    std::lock_guard lock(mutex_);
    const auto index = SelectIndexLocked();
    if (!index) {
        return std::nullopt;
    }
    return Snapshot(*entries_[*index]);
}

int DeviceManager::ConnectionKind() const {
    std::lock_guard lock(mutex_);
    const auto has_mode = [&](int mode) {
        return std::ranges::any_of(entries_, [&](const auto& e) {
            return e->info.device_type == current_type_ && e->info.connection_mode == mode;
        });
    };
    if (has_mode(kWiredMode)) {
        return kWiredMode;
    }
    return has_mode(kDongleMode) ? kDongleMode : -1;
}

bool DeviceManager::Send(CommandFrame& frame, size_t length) {
    if (length < CommandFrame::kShortLength || length > CommandFrame::kSize) {
        return false;
    }
    InterfaceChannel* channel = nullptr;
    {
        std::lock_guard lock(mutex_);
        if (!opened_) {
            return false;
        }
        const auto index = SelectIndexLocked();
        if (!index) {
            return false;
        }
        channel = entries_[*index]->channel.get();
    }
    StoreChecksum(frame);
    const bool ok = RunExchange(*channel, frame, length, length, timing_, unanswered_command_);
    if (!ok) {
        Note(channel->Lost() ? "command failed, interface gone" : "command not acknowledged",
             std::span(frame.bytes).first(length));
    }
    return ok;
}

void DeviceManager::SetOnlineState(int device_type, int connection_mode, int value) {
    std::lock_guard lock(mutex_);
    SetOnlineStateLocked(device_type, connection_mode, value);
}

void DeviceManager::SetOnlineStateLocked(int device_type, int connection_mode, int value) {
    for (auto& entry : entries_) {
        if (entry->info.device_type == device_type && entry->info.connection_mode == connection_mode) {
            entry->info.online_state = value;
        }
    }
}

std::optional<int> DeviceManager::ReleaseNumberOf(int connection_mode) const {
    std::lock_guard lock(mutex_);
    if (!opened_) {
        return std::nullopt;
    }
    const auto it =
        std::ranges::find_if(entries_, [&](const auto& e) { return e->info.connection_mode == connection_mode; });
    if (it == entries_.end()) {
        return std::nullopt;
    }
    return (*it)->info.release_number;
}

std::vector<HidInterface> DeviceManager::InterfacesOfCurrentType() const {
    std::lock_guard lock(mutex_);
    std::vector<HidInterface> result;
    for (const auto& entry : entries_) {
        if (current_type_ == 0 || entry->info.device_type == current_type_) {
            result.push_back(Snapshot(*entry));
        }
    }
    return result;
}

bool DeviceManager::IsIdentified(int device_type) const {
    std::lock_guard lock(mutex_);
    return std::ranges::any_of(entries_, [&](const auto& e) {
        return e->info.device_type == device_type && !e->info.device_id.empty() && e->info.online_state > 0;
    });
}

std::optional<UsbIds> DeviceManager::SelectedIds() {
    std::lock_guard lock(mutex_);
    const auto index = SelectIndexLocked();
    if (!index) {
        return std::nullopt;
    }
    return UsbIds{entries_[*index]->info.vendor_id, entries_[*index]->info.product_id};
}


bool DeviceManager::ReadNotification(std::array<uint8_t, 65>& buffer, int& device_type) {
    InterfaceChannel* selected = nullptr;
    std::vector<size_t> receivers;
    {
        std::lock_guard lock(mutex_);
        if (!opened_) {
            return false;
        }
        device_type = current_type_;
        if (const auto index = SelectIndexLocked()) {
            selected = entries_[*index]->channel.get();
        } else {
            for (size_t i = 0; i < entries_.size(); ++i) {
                if (entries_[i]->info.connection_mode == kDongleMode && IsOpen(*entries_[i])) {
                    receivers.push_back(i);
                }
            }
        }
    }
    const auto deliver = [this, &buffer](const InputReport& report, size_t limit) {
        notifications_read_.fetch_add(1);
        buffer.fill(0);
        std::copy_n(report.bytes.begin(), std::min(report.size, limit), buffer.begin());
    };
    if (selected != nullptr) {
        const auto report = selected->TakeNext(timing_.notification_wait);
        if (report) {
            deliver(*report, buffer.size());
        }
        return report.has_value();
    }

    // No interface carries commands: listen to the receivers, each of which
    // reports its mouse coming and going. One already holding a report goes
    // first; otherwise each is given receiver_wait in turn.
    std::optional<InputReport> report;
    size_t from = 0;
    for (size_t i : receivers) {
        if (entries_[i]->channel->HasReport()) {
            report = entries_[i]->channel->TakeNext(std::chrono::milliseconds(0));
            from = i;
            break;
        }
    }
    for (size_t k = 0; !report && k < receivers.size(); ++k) {
        report = entries_[receivers[k]]->channel->TakeNext(timing_.receiver_wait);
        from = receivers[k];
    }
    if (!report) {
        return false;
    }
    deliver(*report, CommandFrame::kShortLength);
    if (buffer[0] == kConnectionReport) {
        ApplyConnectionReport(from, buffer);
    }
    std::lock_guard lock(mutex_);
    device_type = entries_[from]->info.device_type;
    return false;
}

void DeviceManager::ApplyConnectionReport(size_t index, const std::array<uint8_t, 65>& report) {
    Entry& entry = *entries_[index];
    const bool connected = report[1] == 1;
    std::array<uint8_t, 65> reply{};
    const bool identified = connected && IdentifyTwice(*entry.channel, reply);

    std::lock_guard lock(mutex_);
    entry.info.online_state = connected ? kOnline : kOfflineByNotification;
    if (identified) {
        entry.info.identity_reply = reply;
        entry.info.device_id = DeviceIdFromReply(&reply[4]);
        entry.info.device_type = rules_.ResolveType(entry.info.vendor_id, entry.info.product_id, entry.info.device_id);
    }
    SetOnlineStateLocked(entry.info.device_type, entry.info.connection_mode, entry.info.online_state);
}

bool DeviceManager::NotificationPending() {
    std::lock_guard lock(mutex_);
    if (!opened_) {
        return false;
    }
    if (const auto index = SelectIndexLocked()) {
        return entries_[*index]->channel->HasReport();
    }
    return std::ranges::any_of(entries_, [](const auto& e) {
        return e->info.connection_mode == kDongleMode && IsOpen(*e) && e->channel->HasReport();
    });
}

void DeviceManager::PollDongleState() {
    std::vector<size_t> receivers;
    {
        std::lock_guard lock(mutex_);
        for (size_t i = 0; i < entries_.size(); ++i) {
            const HidInterface& info = entries_[i]->info;
            if (info.device_type == current_type_ && info.connection_mode == kDongleMode && IsOpen(*entries_[i])) {
                receivers.push_back(i);
            }
        }
    }
    for (size_t i : receivers) {
        // Only looked at: the notification path still has to act on it. A
        // report of the mouse coming back that was taken here would leave the
        // program showing no device while the mouse works.
        const auto report = entries_[i]->channel->PeekNext(timing_.receiver_wait);
        if (!report || report->size < 2 || report->bytes[0] != kConnectionReport) {
            continue;
        }
        std::lock_guard lock(mutex_);
        HidInterface& info = entries_[i]->info;
        info.online_state = report->bytes[1] == 1 ? kOnline : kOfflineByPoll;
        SetOnlineStateLocked(info.device_type, info.connection_mode, info.online_state);
    }
}

bool DeviceManager::OpenUpgradeInterface(uint16_t vendor_id, uint16_t product_id) {
    upgrade_handle_.reset();
    for (const HidDeviceInfo& found : backend_.Enumerate(vendor_id, product_id)) {
        if (found.vendor_id == vendor_id && found.product_id == product_id &&
            found.usage_page == kBootloaderUsagePage && found.usage == 0) {
            upgrade_handle_ = backend_.Open(found.path);
            break;
        }
    }
    return upgrade_handle_ != nullptr;
}

bool DeviceManager::UpgradeExchange(std::span<uint8_t, 64> buffer) {
    if (!upgrade_handle_) {
        return false;
    }
    if (upgrade_handle_->Write(buffer) > 0) {
        return true;
    }
    std::this_thread::sleep_for(timing_.upgrade_retry_delay);
    (void)upgrade_handle_->Write(buffer);  // a second chance; only the read below decides
    std::this_thread::sleep_for(timing_.upgrade_read_delay);
    return upgrade_handle_->Read(buffer, static_cast<int>(timing_.upgrade_read_wait.count())) > 0;
}

}  // namespace mousedeck::hid
