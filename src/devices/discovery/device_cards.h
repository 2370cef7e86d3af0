#pragma once

#include <array>
#include <span>
#include <vector>

#include "devices/catalogue_entries.h"

namespace mousedeck::discovery {

// One device card: a catalogue product and what is connected of it.
struct DeviceCard {
    int device_type = 0;
    // Per connection mode (0 cable, 1 receiver): 0 absent, 1 present,
    // 2 receiver present but the mouse not reachable.
    std::array<int, 2> state{};

    bool operator==(const DeviceCard&) const = default;
};

// The cards as the device list shows them, in catalogue order. A value,
// kept by DiscoveryState.
class DeviceCards {
public:
    // One absent card per product.
    void Reset(std::span<const devices::CatalogueMouse> mice);
    // Sets the state on every card of the type; false when there is none or
    // the connection mode is not 0 or 1.
    bool SetState(int device_type, int connection_mode, int state);
    int StateOf(int device_type, int connection_mode) const;
    // A card of this type has a mode whose state is above 0.
    bool IsPresent(int device_type) const;
    bool AnyPresent() const;
    const std::vector<DeviceCard>& All() const { return cards_; }

private:
    std::vector<DeviceCard> cards_;
};

// The card the device list selects when asked for `wanted_type`: that card
// when it is present; else the first present card; else `wanted_type`
// unchanged (no card is present, so there is nothing better to offer).
int ChooseCard(const DeviceCards& cards, int wanted_type);

}  // namespace mousedeck::discovery
