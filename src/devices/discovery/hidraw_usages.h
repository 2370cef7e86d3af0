#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "devices/discovery/hotplug_event.h"

namespace mousedeck::discovery {

// The report descriptor of a hidraw node, read through the node itself
// (HIDIOCGRDESC). Empty when the node cannot be opened for reading and
// writing, as the command exchange needs, or gives no descriptor.
std::vector<uint8_t> ReadNodeDescriptor(const std::string& devnode);

// A report descriptor as sysfs publishes it (<hid device>/report_descriptor,
// readable without access to the node); empty when it cannot be read.
std::vector<uint8_t> ReadSysfsDescriptor(const std::filesystem::path& file);

// True when the node opens for reading and writing and one of its top-level
// collections carries the command exchange. Any failure means not accepted.
bool IsAcceptedHidPath(const std::string& devnode);

}  // namespace mousedeck::discovery
