#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "hid/hid_backend.h"
#include "sim/boot_loader.h"
#include "sim/command_handler.h"
#include "sim/fault_plan.h"
#include "sim/interface_layout.h"
#include "sim/mouse_state.h"
#include "sim/plug_event.h"
#include "sim/report_channel.h"
#include "sim/sim_options.h"
#include "sim/sim_product.h"
#include "sim/state_file.h"
#include "sim/traffic_log.h"

namespace mousedeck::sim {

// The mouse with its receiver: one lock around the state, the protocol
// handlers and the list of open channels. Shared by the SimulatedMouse that
// made it, the backends it is attached to and every open handle, so a handle
// stays safe to use after the others are gone. Every member is thread-safe.
class MouseCore {
public:
    MouseCore(SimProduct product, SimOptions options);
    ~MouseCore();
    MouseCore(const MouseCore&) = delete;
    MouseCore& operator=(const MouseCore&) = delete;

    // Transport, called by the backend and the handles.
    std::vector<hid::HidDeviceInfo> Enumerate(uint16_t vendor_id, uint16_t product_id);
    // The endpoint's channel, or nothing when no plugged interface has the path.
    std::shared_ptr<ReportChannel> Open(const std::string& path, Endpoint* endpoint);
    void Close(const std::shared_ptr<ReportChannel>& channel);
    int Write(const Endpoint& endpoint, const std::shared_ptr<ReportChannel>& channel,
              std::span<const uint8_t> report);
    const TrafficLog& log() const { return log_; }

    // Test and front-end controls.
    void SetReplyLatency(std::chrono::microseconds latency);
    void AddFault(const FaultRule& rule);
    void ClearFaults();
    void Plug(int mode, bool plugged);
    void SetMousePower(bool on);
    void SetBattery(uint8_t byte12, uint8_t byte13);
    std::optional<uint8_t> PressDpiButton();
    void SetSensorCode(uint8_t code);
    void SetHighestRate(uint8_t rate_byte);
    void FollowStateFile();
    bool InjectInputReport(int mode, std::span<const uint8_t> report);
    int AddPlugListener(PlugListener listener);
    void RemovePlugListener(int id);
    MouseState State();
    void ResetState();
    std::optional<std::vector<uint8_t>> LastFlashedImage();
    uint8_t BootLoaderStatus();
    bool StateSaved();
    const SimProduct& product() const { return product_; }

private:
    std::vector<Endpoint> EndpointsLocked() const;
    std::vector<Endpoint> EndpointsOfMode(int mode) const;
    bool PluggedLocked(int mode) const;
    void PlugLocked(int mode, bool plugged);
    // `notify`: the receiver reports the change (0xC0) to its open readers.
    void SetPowerLocked(bool on, bool notify = true);
    void SyncFromDiskLocked();
    void PersistLocked();
    // A notification to every open reader of the mode's interface in `role`.
    // With a state file, a command-interface report nobody reads is owed
    // (MouseState::owed) unless the mode is unplugged.
    void SendToLocked(int mode, InterfaceRole role, std::vector<uint8_t> report, SimClock::time_point due);
    // Hands the reports owed on `mode` to its open command readers; true
    // when there were readers to take them (the state then needs saving).
    bool DeliverOwedLocked(int mode);
    void ReplyLocked(const Endpoint& endpoint, std::span<const uint8_t> report, SimClock::time_point due);
    // Applies the fault planned for this report, if any: the write's result
    // when the fault ends the exchange, else nothing, and the report is
    // handled with answer_length cut to what a short answer delivers.
    // `refusal` is the report a refusal answers with.
    std::optional<int> FaultLocked(FaultTarget target, const Endpoint& endpoint, int written,
                                   std::span<const uint8_t> refusal, SimClock::time_point due,
                                   std::size_t& answer_length);
    int WriteCommandLocked(const Endpoint& endpoint, std::span<const uint8_t> report);
    int WriteBootLocked(const Endpoint& endpoint, std::span<const uint8_t> report);
    void RebootLocked();
    std::vector<uint8_t> NoiseLocked(uint8_t first);
    // Hands the events collected under the lock to the listeners, unlocked.
    void Dispatch(std::unique_lock<std::mutex>& lock);

    const SimProduct product_;
    const SimOptions options_;
    const int unit_;
    TrafficLog log_;

    std::mutex mutex_;
    MouseState state_;
    StateFile state_file_;
    bool state_saved_ = true;
    bool syncing_ = false;  // applying another process's save: do not save it back
    CommandHandler commands_;
    BootLoader boot_;
    std::optional<std::vector<uint8_t>> flashed_image_;
    FaultPlan faults_;
    std::chrono::microseconds latency_;
    uint32_t noise_seed_ = 0x2545F491;
    std::vector<std::pair<Endpoint, std::shared_ptr<ReportChannel>>> channels_;
    std::map<int, PlugListener> listeners_;
    int next_listener_ = 1;
    std::vector<PlugEvent> pending_events_;
};

}  // namespace mousedeck::sim
