#pragma once

#include <span>

#include "devices/catalogue_entries.h"
#include "devices/discovery/hotplug_event.h"

namespace mousedeck::discovery {

// The USB interface that carries the mouse's commands. Its removal is the
// one that stands for the device going away.
inline constexpr int kCommandInterfaceNumber = 2;

// The two collections that carry the command exchange: generic desktop with
// usage 0, or vendor page 0xFF01 usage 0x10.
bool IsCommandUsage(UsagePair pair);
// True when any of the interface's top-level collections is a command one.
bool IsAcceptedUsage(std::span<const UsagePair> usages);

enum class HotplugAction {
    kNothing,
    kQueueArrival,       // task 2: enumerate again and read the mouse
    kQueueRemoval,       // task 3: refresh after a removal
    kReportUnsupported,  // a catalogue vendor's command interface of an unknown product
};

// What a hot-plug event asks for, given the catalogue's modes in file order
// and the polling switch (on while a supported interface is open).
//
// Arrival: when a mode has the event's vendor and product id, the interface
// is taken only if it is a command collection (the pointer, keyboard and
// boot-loader collections of the same device are not). Otherwise, when a
// mode has the vendor id and the interface is a command collection, the user
// has a product this catalogue does not know: one report per device, since
// a device has one command collection.
// Removal: only while polling, and only for the command interface (USB
// interface 2) of a catalogue product, decided on vendor id, product id and
// interface number alone: the removed node's collections can no longer be
// read. A device whose interface number is unknown (not USB) is ignored,
// like a receiver without a composite interface 2; the next refresh drops it.
HotplugAction DecideHotplug(const HotplugEvent& event, std::span<const devices::CatalogueMode> modes,
                            bool polling);

}  // namespace mousedeck::discovery
