#include "devices/discovery/uevent_parser.h"

#include <charconv>
#include <cstdint>
#include <string_view>
#include <vector>

#include "hid/report_descriptor.h"

namespace mousedeck::discovery {
namespace {

constexpr uint16_t kBusUsb = 0x0003;

// The whole of `text` as a number in `base` that fits `limit`.
std::optional<uint32_t> WholeNumber(std::string_view text, int base, uint32_t limit) {
    uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || ec != std::errc() || ptr != end || value > limit) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t next = text.find(separator, start);
        parts.push_back(
            text.substr(start, next == std::string_view::npos ? std::string_view::npos : next - start));
        if (next == std::string_view::npos) {
            return parts;
        }
        start = next + 1;
    }
}

// "bus:vendor:product", each group hexadecimal and at most 16 bits wide
// (the hid device name writes 4 digits, HID_ID 8).
std::optional<DevpathIds> ParseIdGroups(std::string_view text) {
    const auto groups = Split(text, ':');
    if (groups.size() != 3) {
        return std::nullopt;
    }
    const auto bus = WholeNumber(groups[0], 16, 0xFFFF);
    const auto vendor = WholeNumber(groups[1], 16, 0xFFFF);
    const auto product = WholeNumber(groups[2], 16, 0xFFFF);
    if (!bus || !vendor || !product) {
        return std::nullopt;
    }
    return DevpathIds{static_cast<uint16_t>(*bus), static_cast<uint16_t>(*vendor),
                      static_cast<uint16_t>(*product), -1};
}

// The hid device's name: "BBBB:VVVV:PPPP.NNNN", NNNN a hexadecimal instance.
std::optional<DevpathIds> ParseHidName(std::string_view name) {
    const size_t dot = name.find('.');
    if (dot == std::string_view::npos || !WholeNumber(name.substr(dot + 1), 16, UINT32_MAX)) {
        return std::nullopt;
    }
    return ParseIdGroups(name.substr(0, dot));
}

// "<bus>-<ports>:<configuration>.<interface>", the numbers decimal.
int UsbInterfaceNumber(std::string_view name) {
    const size_t colon = name.find(':');
    const size_t dash = name.find('-');
    if (colon == std::string_view::npos || dash == std::string_view::npos || dash > colon) {
        return -1;
    }
    const auto parts = Split(name.substr(colon + 1), '.');
    if (parts.size() != 2 || !WholeNumber(parts[0], 10, 255)) {
        return -1;
    }
    const auto number = WholeNumber(parts[1], 10, 255);
    return number ? static_cast<int>(*number) : -1;
}

}  // namespace

std::optional<DevpathIds> ParseHidrawDevpath(std::string_view devpath) {
    // .../<usb interface>/<hid device>/hidraw/hidrawN
    const auto parts = Split(devpath, '/');
    if (parts.size() < 4 || parts[parts.size() - 2] != "hidraw") {
        return std::nullopt;
    }
    auto ids = ParseHidName(parts[parts.size() - 3]);
    if (ids && ids->bus == kBusUsb) {
        ids->interface_number = UsbInterfaceNumber(parts[parts.size() - 4]);
    }
    return ids;
}

std::optional<HotplugEvent> HotplugEventFromUevent(const UeventFields& fields) {
    HotplugEvent event;
    if (fields.action == "add") {
        event.kind = HotplugEvent::Kind::kArrival;
    } else if (fields.action == "remove") {
        event.kind = HotplugEvent::Kind::kRemoval;
    } else {
        return std::nullopt;
    }
    const auto from_path = ParseHidrawDevpath(fields.devpath);
    auto ids = ParseIdGroups(fields.hid_id);
    if (!ids) {
        ids = from_path;
    }
    if (!ids) {
        return std::nullopt;
    }
    event.path = fields.devnode;
    event.vendor_id = ids->vendor_id;
    event.product_id = ids->product_id;
    if (const auto number = WholeNumber(fields.interface_number, 16, 255)) {
        event.interface_number = static_cast<int>(*number);
    } else if (from_path) {
        event.interface_number = from_path->interface_number;
    }
    event.usages = hid::TopLevelUsages(fields.report_descriptor);
    return event;
}

}  // namespace mousedeck::discovery
