#include <array>

#include "commands.h"
#include "pages/performance/value_words.h"

namespace mousedeck::ctl {
namespace {

using pages::performance::ParseWholeNumber;

// Identity byte 11 for each highest rate the mouse can claim.
constexpr std::array<std::pair<std::string_view, uint8_t>, 4> kMaxRates = {{
    {"none", 0x00},
    {"2000", 0x10},
    {"4000", 0x20},
    {"8000", 0x40},
}};

std::string_view RateWord(uint8_t rate_byte) {
    for (const auto& [word, byte] : kMaxRates) {
        if (byte == rate_byte) {
            return word;
        }
    }
    return "none";
}

// The mouse as it is now: a line and the JSON member "simulated".
void PutMouse(Simulation& simulation, Report& report) {
    sim::SimulatedMouse& mouse = simulation.Mouse();
    const sim::MouseState state = mouse.State();
    const sim::SimProduct& product = mouse.product();
    const int stage = state.StageByte();
    const int sensor = state.sensor_code.value_or(product.sensor_code);
    const uint8_t rate = state.highest_rate.value_or(product.highest_rate);
    const auto on = [](bool yes) { return yes ? "plugged" : "unplugged"; };
    report.Json()["simulated"] = {{"name", product.name},
                                  {"device_type", product.device_type},
                                  {"cable", state.cable_plugged},
                                  {"receiver", state.receiver_plugged},
                                  {"mouse_on", state.mouse_on},
                                  {"battery_percent", state.battery[1]},
                                  {"dpi_stage", (stage >> 4) + 1},
                                  {"dpi_stages", stage & 0x0F},
                                  {"sensor_code", sensor},
                                  {"max_rate", RateWord(rate)},
                                  {"state_file", simulation.StatePath()}};
    std::string line = "Simulated " + product.name + ":";
    if (product.ModeOf(0) != nullptr) {
        line += std::string(" cable ") + on(state.cable_plugged) + ",";
    }
    if (product.ModeOf(1) != nullptr) {
        line += std::string(" receiver ") + on(state.receiver_plugged) + ",";
    }
    line += std::string(" mouse ") + (state.mouse_on ? "on" : "off") + ", battery " +
            std::to_string(state.battery[1]) + " %, DPI stage " + std::to_string((stage >> 4) + 1) + " of " +
            std::to_string(stage & 0x0F) + ", sensor " + std::to_string(sensor) + ", highest rate " +
            std::string(RateWord(rate));
    report.Line(line);
}

// A plug or switch word: true for the first of the pair, false for the second.
std::optional<bool> Either(const std::string& word, std::string_view yes, std::string_view no) {
    if (word == yes) {
        return true;
    }
    if (word == no) {
        return false;
    }
    return std::nullopt;
}

// Performs the action named by `args` on the mouse; false with a usage
// error in `report` when the words name none.
bool Act(Simulation& simulation, std::span<const std::string> args, Report& report) {
    sim::SimulatedMouse& mouse = simulation.Mouse();
    const std::string& what = args[0];
    if (what == "press-dpi" && args.size() == 1) {
        if (const std::optional<uint8_t> stage = mouse.PressDpiButton()) {
            report.Line("DPI button pressed: stage " + std::to_string((*stage >> 4) + 1) + " of " +
                        std::to_string(*stage & 0x0F) + ".");
        } else {
            report.Line("The mouse is switched off and not on the cable: the press did nothing.");
            report.SetResult(kExitNotAcknowledged, "not_connected");
        }
        return true;
    }
    if (args.size() != 2) {
        return false;
    }
    const std::string& value = args[1];
    if (what == "cable" || what == "receiver") {
        const int mode = what == "cable" ? 0 : 1;
        const std::optional<bool> plug = Either(value, "plug", "unplug");
        if (!plug) {
            return false;
        }
        if (mouse.product().ModeOf(mode) == nullptr) {
            report.Usage(mouse.product().name + " has no " + what);
            return true;
        }
        if (mode == 0) {
            mouse.PlugCable(*plug);
        } else {
            mouse.PlugReceiver(*plug);
        }
        return true;
    }
    if (what == "mouse") {
        const std::optional<bool> on = Either(value, "on", "off");
        if (on) {
            mouse.SetMousePower(*on);
        }
        return on.has_value();
    }
    if (what == "battery" || what == "sensor") {
        const std::optional<int> number = ParseWholeNumber(value);
        const int highest = what == "battery" ? 100 : 255;
        if (!number || *number < 0 || *number > highest) {
            report.Usage("sim " + what + " takes a number from 0 to " + std::to_string(highest));
            return true;
        }
        if (what == "battery") {
            mouse.SetBattery(mouse.State().battery[0], static_cast<uint8_t>(*number));
        } else {
            mouse.SetSensorCode(static_cast<uint8_t>(*number));
        }
        return true;
    }
    if (what == "max-rate") {
        for (const auto& [word, byte] : kMaxRates) {
            if (value == word) {
                mouse.SetHighestRate(byte);
                return true;
            }
        }
        report.Usage("sim max-rate takes none, 2000, 4000 or 8000");
        return true;
    }
    return false;
}

}  // namespace

void RunSim(const Invocation& invocation, std::span<const std::string> args, Report& report) {
    if (!invocation.simulate) {
        UsageOf("sim", "sim commands act on the simulated mouse: add --simulate", report);
        return;
    }
    const auto session = Session::Open(invocation, report);
    if (!session) {
        return;
    }
    Simulation& simulation = *session->Simulated();
    if (args.empty()) {
        PutMouse(simulation, report);
        return;
    }
    report.Json()["action"] = args[0];
    if (!Act(simulation, args, report)) {
        UsageOf("sim",
                "sim takes press-dpi, cable <plug|unplug>, receiver <plug|unplug>, mouse <on|off>, "
                "battery <0-100>, sensor <code>, max-rate <none|2000|4000|8000>",
                report);
        return;
    }
    if (!report.Failed()) {
        PutMouse(simulation, report);
    }
}

}  // namespace mousedeck::ctl
