#include "devices/discovery/hidraw_usages.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>

#include <fstream>

#include "devices/discovery/hotplug_decision.h"
#include "hid/report_descriptor.h"
#include "xml/unique_fd.h"

namespace mousedeck::discovery {

std::vector<uint8_t> ReadNodeDescriptor(const std::string& devnode) {
    // Non-blocking: nothing is read from the node, only its descriptor.
    const xml::UniqueFd fd(::open(devnode.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        return {};
    }
    int size = 0;
    if (::ioctl(fd.get(), HIDIOCGRDESCSIZE, &size) < 0 || size <= 0 || size > HID_MAX_DESCRIPTOR_SIZE) {
        return {};
    }
    hidraw_report_descriptor descriptor{};
    descriptor.size = static_cast<uint32_t>(size);
    if (::ioctl(fd.get(), HIDIOCGRDESC, &descriptor) < 0) {
        return {};
    }
    return {descriptor.value, descriptor.value + descriptor.size};
}

std::vector<uint8_t> ReadSysfsDescriptor(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return {};
    }
    std::vector<uint8_t> bytes;
    char c;
    while (bytes.size() < HID_MAX_DESCRIPTOR_SIZE && in.get(c)) {
        bytes.push_back(static_cast<uint8_t>(c));
    }
    return bytes;
}

bool IsAcceptedHidPath(const std::string& devnode) {
    return IsAcceptedUsage(hid::TopLevelUsages(ReadNodeDescriptor(devnode)));
}

}  // namespace mousedeck::discovery
