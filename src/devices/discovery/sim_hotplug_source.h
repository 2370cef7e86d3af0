#pragma once

#include <functional>

#include "devices/discovery/hotplug_event.h"
#include "sim/plug_event.h"
#include "sim/simulated_mouse.h"

namespace mousedeck::discovery {

// The hot-plug event a simulated interface's plug event stands for: the
// same fields a udev monitor gives for a hidraw node, except that a removal
// keeps its collection (udev no longer has it; the decision does not use it).
HotplugEvent HotplugEventOf(const sim::PlugEvent& plug);

// Hot-plug events of a simulated mouse: plugging or unplugging its cable or
// receiver raises one event per interface, as udev does for hidraw nodes.
// The listener runs on the thread that caused the change (see
// sim::PlugListener). Subscribed for the lifetime of this object; the mouse
// must outlive it.
class SimHotplugSource {
public:
    using Listener = std::function<void(const HotplugEvent&)>;

    SimHotplugSource(sim::SimulatedMouse& mouse, Listener listener);
    ~SimHotplugSource();
    SimHotplugSource(const SimHotplugSource&) = delete;
    SimHotplugSource& operator=(const SimHotplugSource&) = delete;

private:
    sim::SimulatedMouse& mouse_;
    int subscription_;
};

}  // namespace mousedeck::discovery
