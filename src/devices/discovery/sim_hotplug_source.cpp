#include "devices/discovery/sim_hotplug_source.h"

#include <utility>

namespace mousedeck::discovery {

HotplugEvent HotplugEventOf(const sim::PlugEvent& plug) {
    HotplugEvent event;
    event.kind = plug.kind == sim::PlugEvent::Kind::kArrival ? HotplugEvent::Kind::kArrival
                                                             : HotplugEvent::Kind::kRemoval;
    event.path = plug.info.path;
    event.vendor_id = plug.info.vendor_id;
    event.product_id = plug.info.product_id;
    event.usages = {{plug.info.usage_page, plug.info.usage}};
    event.interface_number = plug.info.interface_number;
    return event;
}

SimHotplugSource::SimHotplugSource(sim::SimulatedMouse& mouse, Listener listener)
    : mouse_(mouse),
      subscription_(mouse.AddPlugListener([listener = std::move(listener)](const sim::PlugEvent& plug) {
          listener(HotplugEventOf(plug));
      })) {}

SimHotplugSource::~SimHotplugSource() {
    mouse_.RemovePlugListener(subscription_);
}

}  // namespace mousedeck::discovery
