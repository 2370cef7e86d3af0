#pragma once

#include <functional>

#include "hid/hid_backend.h"

namespace mousedeck::sim {

// One HID interface appearing or disappearing, as a udev monitor on the
// hidraw subsystem reports it: one event per interface of the product.
struct PlugEvent {
    enum class Kind { kArrival, kRemoval };
    Kind kind = Kind::kArrival;
    hid::HidDeviceInfo info;
};

// Called without any simulator lock held, on the thread whose call caused
// the change: the test or front end that plugged or unplugged, or the thread
// that wrote the report that unplugged the mouse or rebooted it after a
// firmware upgrade (the device worker). The listener may call back into the
// simulator.
using PlugListener = std::function<void(const PlugEvent&)>;

}  // namespace mousedeck::sim
