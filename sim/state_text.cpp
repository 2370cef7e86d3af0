#include "sim/state_text.h"

#include <cstdio>
#include <sstream>
#include <vector>

namespace mousedeck::sim {
namespace {

constexpr std::string_view kHeader = "mousedeck-sim-state 1";

std::string Hex(const uint8_t* bytes, std::size_t size) {
    std::string out;
    char pair[4];
    for (std::size_t i = 0; i < size; ++i) {
        std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
        if (i > 0) {
            out += ' ';
        }
        out += pair;
    }
    return out;
}

std::optional<std::vector<uint8_t>> ParseBytes(std::istringstream& in) {
    std::vector<uint8_t> bytes;
    std::string token;
    while (in >> token) {
        if (token.size() != 2) {
            return std::nullopt;
        }
        unsigned value = 0;
        char extra = 0;
        if (std::sscanf(token.c_str(), "%2x%c", &value, &extra) != 1) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<uint8_t>(value));
    }
    return bytes;
}

std::optional<uint16_t> ParseRelease(std::istringstream& in) {
    std::string token;
    if (!(in >> token) || token.empty() || token.size() > 4) {
        return std::nullopt;
    }
    unsigned value = 0;
    char extra = 0;
    if (std::sscanf(token.c_str(), "%4x%c", &value, &extra) != 1) {
        return std::nullopt;
    }
    return static_cast<uint16_t>(value);
}

std::optional<bool> ParseFlag(std::istringstream& in) {
    std::string token;
    if (!(in >> token) || (token != "0" && token != "1")) {
        return std::nullopt;
    }
    return token == "1";
}

}  // namespace

std::string StateToText(const MouseState& state) {
    char release[8];
    std::string text(kHeader);
    text += '\n';
    text += "device_id " +
            Hex(reinterpret_cast<const uint8_t*>(state.device_id.data()), state.device_id.size()) + '\n';
    std::snprintf(release, sizeof release, "%04X", state.firmware);
    text += std::string("firmware ") + release + '\n';
    std::snprintf(release, sizeof release, "%04X", state.receiver_firmware);
    text += std::string("receiver_firmware ") + release + '\n';
    text += "battery " + Hex(state.battery.data(), state.battery.size()) + '\n';
    text += std::string("cable ") + (state.cable_plugged ? "1" : "0") + '\n';
    text += std::string("receiver ") + (state.receiver_plugged ? "1" : "0") + '\n';
    text += std::string("power ") + (state.mouse_on ? "1" : "0") + '\n';
    for (const auto& [code, payload] : state.payloads) {
        text += "payload " + Hex(&code, 1) + ' ' + Hex(payload.data(), payload.size()) + '\n';
    }
    if (state.sensor_code) {
        text += "sensor " + Hex(&*state.sensor_code, 1) + '\n';
    }
    if (state.highest_rate) {
        text += "max_rate " + Hex(&*state.highest_rate, 1) + '\n';
    }
    for (const auto& owed : state.owed) {
        const auto mode = static_cast<uint8_t>(owed.mode);
        text += "owed " + Hex(&mode, 1) + ' ' + Hex(owed.bytes.data(), owed.bytes.size()) + '\n';
    }
    for (const auto& [key, events] : state.macros) {
        text += "macro " + Hex(&key, 1);
        if (!events.empty()) {
            text += ' ' + Hex(events.data(), events.size());
        }
        text += '\n';
    }
    return text;
}

std::optional<MouseState> StateFromText(std::string_view text) {
    std::istringstream lines{std::string(text)};
    std::string line;
    if (!std::getline(lines, line) || line != kHeader) {
        return std::nullopt;
    }
    MouseState state;
    while (std::getline(lines, line)) {
        if (line.empty()) {
            continue;
        }
        std::istringstream in(line);
        std::string name;
        in >> name;
        bool ok = true;
        if (name == "device_id") {
            const auto bytes = ParseBytes(in);
            ok = bytes.has_value();
            if (ok) {
                state.device_id.assign(bytes->begin(), bytes->end());
            }
        } else if (name == "firmware" || name == "receiver_firmware") {
            const auto release = ParseRelease(in);
            ok = release.has_value();
            if (ok) {
                (name == "firmware" ? state.firmware : state.receiver_firmware) = *release;
            }
        } else if (name == "battery") {
            const auto bytes = ParseBytes(in);
            ok = bytes && bytes->size() == 2;
            if (ok) {
                state.battery = {(*bytes)[0], (*bytes)[1]};
            }
        } else if (name == "cable" || name == "receiver" || name == "power") {
            const auto flag = ParseFlag(in);
            ok = flag.has_value();
            if (ok) {
                (name == "cable"      ? state.cable_plugged
                 : name == "receiver" ? state.receiver_plugged
                                      : state.mouse_on) = *flag;
            }
        } else if (name == "payload") {
            const auto bytes = ParseBytes(in);
            ok = bytes && bytes->size() == 1 + kPayloadSize;
            if (ok) {
                Payload payload{};
                std::copy(bytes->begin() + 1, bytes->end(), payload.begin());
                state.payloads[(*bytes)[0]] = payload;
            }
        } else if (name == "sensor" || name == "max_rate") {
            const auto bytes = ParseBytes(in);
            ok = bytes && bytes->size() == 1;
            if (ok) {
                (name == "sensor" ? state.sensor_code : state.highest_rate) = (*bytes)[0];
            }
        } else if (name == "owed") {
            const auto bytes = ParseBytes(in);
            ok = bytes && bytes->size() >= 2 && (*bytes)[0] <= 1;
            if (ok) {
                state.owed.push_back({(*bytes)[0], std::vector<uint8_t>(bytes->begin() + 1, bytes->end())});
            }
        } else if (name == "macro") {
            const auto bytes = ParseBytes(in);
            ok = bytes && !bytes->empty();
            if (ok) {
                state.macros[(*bytes)[0]] = std::vector<uint8_t>(bytes->begin() + 1, bytes->end());
            }
        }
        if (!ok) {
            return std::nullopt;
        }
    }
    return state;
}

}  // namespace mousedeck::sim
