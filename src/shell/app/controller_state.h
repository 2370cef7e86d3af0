#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>

#include "protocol/sensor_limits.h"

namespace mousedeck::shell::app {

// No stage shown yet, or no macro waiting to be sent.
inline constexpr int kUnset = -1;

// The main controller's own state: what the user works on (profile, lighting
// effect), what the last read-back learnt of the mouse, and what the DPI
// controls show. The current device type, the description, the device
// cards and the connected and polling switches are discovery's
// (discovery::DiscoveryState).
//
// Shared by the user-interface thread, the device worker and the hot-plug
// thread; every member takes one lock and hands out copies.
class ControllerState {
public:
    // The profile every configuration read and write uses (1..4; 0 while the
    // database holds no profile).
    int CurrentProfile() const;
    void SetCurrentProfile(int profile);

    // The lighting effect the lighting page works on.
    int CurrentEffect() const;
    void SetCurrentEffect(int effect);

    // From the identity reply of the last read-back.
    struct MouseIdentity {
        int sensor_code = 0;
        protocol::SensorLimits limits{};
        int report_rate_capability = 4;    // 4..7, see protocol::ReportRateCapability
        bool online = false;               // byte 14: the mouse can be reached
        std::array<uint8_t, 2> battery{};  // identity bytes 12, 13
    };
    MouseIdentity Identity() const;
    void SetIdentity(const MouseIdentity& identity);
    void SetOnline(bool online);

    // The stage count and the active stage the DPI controls show; a DPI
    // notification that repeats them changes nothing.
    struct ShownStages {
        int count = kUnset;
        int index = kUnset;
    };
    ShownStages Shown() const;
    void SetShown(ShownStages shown);
    void SetShownCount(int count);
    void SetShownIndex(int index);

    // Device types whose settings were read from the mouse in this run.
    // True when `device_type` was not in the set and is now.
    bool AddReadBack(int device_type);
    bool WasReadBack(int device_type) const;
    void ClearReadBack();

    // Mouse firmware version text ("%X%02X") read through the receiver.
    std::string MouseFirmwareVersion() const;
    void SetMouseFirmwareVersion(std::string version);

    // The key of a button that was just given a macro, whose macro data the
    // next button transfer sends first; kUnset when there is none. Taking it
    // clears it.
    void SetPendingMacroKey(int key_code);
    int TakePendingMacroKey();

private:
    mutable std::mutex mutex_;
    int profile_ = 0;
    int effect_ = 0;
    MouseIdentity identity_;
    ShownStages shown_;
    std::set<int> read_back_;
    std::string firmware_version_;
    int pending_macro_key_ = kUnset;
};

}  // namespace mousedeck::shell::app
