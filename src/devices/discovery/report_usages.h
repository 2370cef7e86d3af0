#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "devices/discovery/hotplug_event.h"

namespace mousedeck::discovery {

// The usage pair of every top-level collection a HID report descriptor
// declares, in order. A collection's pair is the usage page and the last
// usage given before it opens (an extended 4-byte usage carries its own page
// in the high half). A collection opened with no usage is left out. Reading
// stops at the first item that runs past the end; what was found before it is
// kept.
std::vector<UsagePair> TopLevelUsages(std::span<const uint8_t> descriptor);

}  // namespace mousedeck::discovery
