#pragma once

#include <functional>
#include <memory>
#include <thread>

#include "devices/discovery/hotplug_event.h"

namespace mousedeck::discovery {

// Arrivals and removals of hidraw nodes, from a udev monitor.
//
// One thread waits in poll() on the monitor's socket and on an eventfd that
// Stop signals: it wakes only for an event or to stop, never on a timer.
// Events are those udev has finished with (rules applied, node permissions
// set), so an arrival can be opened at once. Where no udev daemon runs (a
// container) the monitor starts and stops normally and simply hears nothing.
//
// Start, Stop and Running belong to the owner's thread. Stop (or destroy)
// the monitor before whatever its listener uses goes away.
class HotplugMonitor {
public:
    // Runs on the monitor thread, once per "add" or "remove" of a hidraw node
    // whose vendor and product id could be read.
    using Listener = std::function<void(const HotplugEvent&)>;

    explicit HotplugMonitor(Listener listener);
    ~HotplugMonitor();  // stops the thread
    HotplugMonitor(const HotplugMonitor&) = delete;
    HotplugMonitor& operator=(const HotplugMonitor&) = delete;

    // Opens the monitor and starts the thread; true when it runs (also when
    // it ran already). False when udev or the eventfd cannot be had.
    bool Start();
    // Wakes the thread and joins it; the listener is not called afterwards.
    // Safe to call when not running.
    void Stop();
    bool Running() const { return thread_.joinable(); }

private:
    struct Resources;
    void Loop();

    Listener listener_;
    std::unique_ptr<Resources> resources_;
    std::thread thread_;
};

}  // namespace mousedeck::discovery
