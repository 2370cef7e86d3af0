#pragma once

#include <atomic>
#include <mutex>

#include "devices/description_loader.h"
#include "devices/device_description.h"
#include "devices/discovery/device_cards.h"

namespace mousedeck::discovery {

// What discovery decides and the rest of the application reads: the current
// product, its description, the device cards and the two switches. Owned by
// the application controller; DeviceDiscovery keeps it in step with the
// device manager, the saved DeviceType and the open settings database.
//
// Every member is safe to call from any thread; readers get copies.
class DiscoveryState {
public:
    // The product the user works on; the device manager's current type is
    // set with it. 0 until the first selection.
    int CurrentDeviceType() const;
    // Its catalogue name and file stem (empty when the catalogue lacks it).
    devices::CurrentProduct CurrentProduct() const;
    // Its description, as the last load left it.
    devices::DeviceDescription Description() const;
    // Replaces type, product and description together.
    void SetCurrent(int device_type, devices::CurrentProduct product, devices::DeviceDescription description);

    // The connected view is on screen: an interface of the current type is
    // open (by cable, or through a receiver whose mouse reported in). The
    // profile dialog and restore defaults refuse to work without it.
    bool DeviceConnected() const { return device_connected_.load(); }
    void SetDeviceConnected(bool connected) { device_connected_.store(connected); }

    // On while at least one supported interface is open.
    bool Polling() const { return polling_.load(); }
    void SetPolling(bool on) { polling_.store(on); }

    DeviceCards Cards() const;
    void SetCards(DeviceCards cards);
    // Updates one card; false when no card has the type (see DeviceCards).
    bool SetCardState(int device_type, int connection_mode, int state);
    // The device list has a card with a present connection.
    bool AnyCardPresent() const;

private:
    mutable std::mutex mutex_;  // guards everything below
    int device_type_ = 0;
    devices::CurrentProduct product_;
    devices::DeviceDescription description_;
    DeviceCards cards_;

    std::atomic<bool> device_connected_{false};
    std::atomic<bool> polling_{false};
};

}  // namespace mousedeck::discovery
