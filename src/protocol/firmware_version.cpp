#include "protocol/firmware_version.h"

#include <cstdio>

namespace mousedeck::protocol {

std::string FirmwareVersionText(uint8_t major, uint8_t minor) {
    char text[8];
    std::snprintf(text, sizeof text, "%X%02X", major, minor);
    return text;
}

std::string ReleaseVersionText(int release_number) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(release_number));
    return text;
}

VersionDisplay SplitVersionText(std::string_view text) {
    if (text.size() < 3) {
        return VersionDisplay{"", std::string(text)};
    }
    const std::size_t cut = text.size() - 2;
    return VersionDisplay{std::string(text.substr(0, cut)), std::string(text.substr(cut))};
}

std::string VersionDisplayText(std::string_view text) {
    const VersionDisplay parts = SplitVersionText(text);
    return parts.major + "." + parts.minor;
}

}  // namespace mousedeck::protocol
