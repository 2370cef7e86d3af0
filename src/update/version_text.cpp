#include "update/version_text.h"

#include <cstdio>

namespace mousedeck::update {

std::string ReleaseText(int release_number) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(release_number));
    return text;
}

std::string VersionLabel(std::string_view version) {
    if (version.size() < 3 || version.find('.') != std::string_view::npos) {
        return std::string(version);
    }
    const std::size_t cut = version.size() - 2;
    std::string label(version.substr(0, cut));
    label += '.';
    label += version.substr(cut);
    return label;
}

std::string FirmwareVersionLine(std::string_view text, std::string_view version) {
    std::string line(text);
    line += ": v";
    line += VersionLabel(version);
    return line;
}

std::string ProgressLine(std::string_view text, int percent) {
    std::string line(text);
    line += ": ";
    line += std::to_string(percent);
    line += '%';
    return line;
}

}  // namespace mousedeck::update
