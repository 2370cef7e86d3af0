#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "devices/discovery/hotplug_event.h"

namespace mousedeck::shell::app {

// A running source of hot-plug events (the udev monitor, or a simulated
// mouse's plug events). It calls its listener on a thread of its own until it
// is destroyed; destruction stops that thread or ends the subscription.
class HotplugSource {
public:
    virtual ~HotplugSource() = default;
};

using HotplugListener = std::function<void(const discovery::HotplugEvent&)>;
// Starts a source that hands every event to the listener; null when none can
// be had.
using HotplugFactory = std::function<std::unique_ptr<HotplugSource>(HotplugListener)>;

// The udev monitor on the hidraw subsystem; null when udev cannot be used.
std::unique_ptr<HotplugSource> StartUdevHotplug(HotplugListener listener);

// Keeps any RAII hot-plug subscription (constructed from its arguments and
// the listener, last) alive as a HotplugSource, e.g.
// HeldHotplug<discovery::SimHotplugSource> for a simulated mouse. A header
// template, so this library does not link the simulator.
template <class Source>
class HeldHotplug final : public HotplugSource {
public:
    template <class... Args>
    explicit HeldHotplug(Args&&... args) : source_(std::forward<Args>(args)...) {}

private:
    Source source_;
};

}  // namespace mousedeck::shell::app
