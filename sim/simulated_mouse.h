#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "sim/fault_plan.h"
#include "sim/mouse_state.h"
#include "sim/plug_event.h"
#include "sim/sim_options.h"
#include "sim/sim_product.h"

namespace mousedeck::sim {

class MouseCore;

// A mouse of any product, with its receiver, written from the mouse's side of
// the protocol. Attach it to a SimulatedHidBackend to reach it through the
// HID seam; use the members below to act as the user (plug, switch off, press
// the DPI button) or to make the next exchanges fail.
//
// Every member is thread-safe. Replies and notifications reach readers
// through each open handle's buffer; plug events reach the listeners on the
// thread of the call that caused them (see PlugListener).
class SimulatedMouse {
public:
    explicit SimulatedMouse(SimProduct product = DefaultProduct(),
                            SimOptions options = SimOptions::FromEnvironment());
    ~SimulatedMouse();
    SimulatedMouse(SimulatedMouse&&) noexcept;
    SimulatedMouse& operator=(SimulatedMouse&&) noexcept;
    SimulatedMouse(const SimulatedMouse&) = delete;
    SimulatedMouse& operator=(const SimulatedMouse&) = delete;

    const SimProduct& product() const;

    // Delay between a write and its reply becoming readable (default 1 ms).
    void SetReplyLatency(std::chrono::microseconds latency);
    void AddFault(const FaultRule& rule);
    void ClearFaults();

    // Connection mode 0 is the cable, 1 the receiver. Unplugging fails every
    // read and write of the mode's open handles; both directions report one
    // event per interface.
    void PlugCable(bool plugged);
    void PlugReceiver(bool plugged);
    // The mouse's power switch: behind the receiver it reconnects (0xC0 with
    // byte 1 = 1 and the battery) or drops off (0xC0, byte 1 = 0).
    void SetMousePower(bool on);
    // New identity bytes 12, 13; behind a live receiver also a 0xC0 report.
    void SetBattery(uint8_t byte12, uint8_t byte13);
    // The DPI button: next stage, wrapping after the last; sends 0xC2 with
    // the stage byte over the cable, else over the receiver. Nothing when
    // the mouse is off and not on the cable.
    std::optional<uint8_t> PressDpiButton();
    // What the identity reply reports from now on as the sensor code (byte
    // 10) and the highest report rate (byte 11: 0, 0x10, 0x20 or 0x40);
    // hosts see it at their next read-back. Kept in the state file.
    void SetSensorCode(uint8_t code);
    void SetHighestRate(uint8_t rate_byte);
    // Takes what another process saved in the state file now, as every
    // other call does first: its connection changes reach this process's
    // readers and listeners, and the reports it owes reach open readers.
    // A host that only reads (a notification monitor) calls it periodically.
    void FollowStateFile();
    // Delivers an arbitrary input report on the command interface of a
    // mode; false when the mode is not plugged.
    bool InjectInputReport(int mode, std::span<const uint8_t> report);

    int AddPlugListener(PlugListener listener);
    void RemovePlugListener(int id);

    // A copy of what the mouse holds now.
    MouseState State() const;
    // Settings, firmware and battery as shipped; connections stay.
    void ResetState();
    // The image of the last completed firmware upgrade in this process.
    std::optional<std::vector<uint8_t>> LastFlashedImage() const;
    // kBootOk or the first error of the current or last transfer.
    uint8_t BootLoaderStatus() const;
    // False when the last save of the state file failed.
    bool StateSaved() const;

    std::shared_ptr<MouseCore> core() const { return core_; }

private:
    std::shared_ptr<MouseCore> core_;
};

}  // namespace mousedeck::sim
