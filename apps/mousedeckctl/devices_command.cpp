#include <cstdio>
#include <set>

#include "commands.h"
#include "profile_text.h"
#include "protocol/firmware_version.h"

namespace mousedeck::ctl {
namespace {

// Card states per connection mode.
constexpr int kAbsent = 0;
constexpr int kPresent = 1;

const char* ModeWord(int mode) {
    return mode == 0 ? "cable" : "receiver";
}
// The mode word padded to the longest one, so the ids line up.
std::string ModeColumn(int mode) {
    std::string word = ModeWord(mode);
    return word + std::string(8 - word.size(), ' ');
}

const char* StateWord(int state) {
    switch (state) {
        case kAbsent:
            return "absent";
        case kPresent:
            return "connected";
        default:
            return "mouse not reachable";
    }
}

std::string Hex4(uint32_t id) {
    char text[16];
    std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(id));
    return text;
}

std::string ReleaseText(int release) {
    return protocol::VersionDisplayText(protocol::ReleaseVersionText(release));
}

}  // namespace

void RunDevices(const Invocation& invocation, std::span<const std::string> args, Report& report) {
    if (!args.empty()) {
        UsageOf("devices", "devices takes no arguments", report);
        return;
    }
    const auto session = Session::Open(invocation, report);
    if (!session || !session->Start(report)) {
        return;
    }
    auto& controller = session->Controller();
    const auto cards = controller.Cards();
    const int current = controller.CurrentDeviceType();
    const auto& catalogue = controller.Catalogue();

    nlohmann::ordered_json devices = nlohmann::ordered_json::array();
    std::set<int> listed;
    for (const devices::CatalogueMouse& mouse : catalogue.Mice()) {
        if (!listed.insert(mouse.device_type).second) {
            continue;  // the first product of a type stands for it
        }
        const bool present = cards.IsPresent(mouse.device_type);
        const bool in_use = present && mouse.device_type == current;
        nlohmann::ordered_json connections = nlohmann::ordered_json::array();
        report.Line(mouse.name + " (device type " + std::to_string(mouse.device_type) + ")" +
                    (in_use ? " [in use]" : ""));
        std::set<int> modes;
        for (const devices::CatalogueMode& mode : catalogue.Modes()) {
            if (mode.device_type != mouse.device_type || !modes.insert(mode.value).second) {
                continue;
            }
            const int state = cards.StateOf(mouse.device_type, mode.value);
            const auto release = session->View().CardVersion(mouse.device_type, mode.value);
            nlohmann::ordered_json connection = {{"mode", ModeWord(mode.value)},
                                                 {"vendor_id", Hex4(mode.vendor_id)},
                                                 {"product_id", Hex4(mode.product_id)},
                                                 {"present", state != kAbsent},
                                                 {"online", state == kPresent}};
            std::string line = "  " + ModeColumn(mode.value) + "  " + Hex4(mode.vendor_id) + ":" +
                               Hex4(mode.product_id) + "  " + StateWord(state);
            if (state != kAbsent && release) {
                connection["release"] = ReleaseText(*release);
                line += ", release " + ReleaseText(*release);
            }
            connections.push_back(connection);
            report.Line(line);
        }
        nlohmann::ordered_json device = {{"name", mouse.name},
                                         {"device_type", mouse.device_type},
                                         {"present", present},
                                         {"in_use", in_use},
                                         {"connections", connections}};
        if (in_use) {
            const std::string firmware = controller.MouseFirmwareVersion();
            const auto identity = controller.MouseIdentity();
            if (!firmware.empty()) {
                device["firmware"] = protocol::VersionDisplayText(firmware);
                report.Line("  mouse firmware " + protocol::VersionDisplayText(firmware));
            }
            device["online"] = identity.online;
            if (!identity.online) {
                report.Line("  the mouse does not answer (switched off or out of range)");
            } else {
                // Identity byte 13 is the level the battery display shows first.
                device["battery_percent"] = identity.battery[1];
                report.Line("  battery " + std::to_string(identity.battery[1]) + " %");
            }
        }
        devices.push_back(device);
    }
    report.Json()["devices"] = devices;
    if (!cards.AnyPresent()) {
        session->RequireDevice(report);
    }
}

}  // namespace mousedeck::ctl
