#include "sim/mouse_state.h"

#include <algorithm>

namespace mousedeck::sim {
namespace {

void PutColour(Payload& p, std::size_t at, uint32_t colour) {
    p[at] = static_cast<uint8_t>(colour & 0xFF);  // red
    p[at + 1] = static_cast<uint8_t>((colour >> 8) & 0xFF);
    p[at + 2] = static_cast<uint8_t>((colour >> 16) & 0xFF);
}

// Default lighting colours of the mouse, 0x00BBGGRR.
constexpr std::array<uint32_t, 7> kLightColours = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00,
                                                   0x00FFFF, 0xFF00FF, 0xFFFFFF};

Payload LightingPayload(const FactorySettings& f) {
    Payload p{};
    p[0] = f.light_effect;
    p[1] = static_cast<uint8_t>((f.light_brightness << 4) | (f.light_speed & 0x0F));
    if (f.light_effect == 3) {
        PutColour(p, 2, kLightColours[0]);
    } else if (f.light_effect == 2) {
        p[2] = 7;
        for (std::size_t i = 0; i < kLightColours.size(); ++i) {
            PutColour(p, 3 + 3 * i, kLightColours[i]);
        }
    }
    return p;
}

Payload DefaultButtonSlots() {
    // Key codes 0..5: primary, secondary, middle, backward, forward, DPI cycle.
    Payload p{};
    const uint8_t slots[6][3] = {{0x10, 0x01, 0x00}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00},
                                 {0x10, 0x08, 0x00}, {0x10, 0x10, 0x00}, {0x40, 0x01, 0x00}};
    for (std::size_t k = 0; k < 6; ++k) {
        for (std::size_t b = 0; b < 3; ++b) {
            p[3 * k + b] = slots[k][b];
        }
    }
    return p;
}

}  // namespace

MouseState MouseState::Factory(const SimProduct& product) {
    MouseState state;
    state.device_id = product.device_id;
    state.firmware = product.firmware;
    state.receiver_firmware = product.receiver_firmware;
    state.battery = product.battery;
    state.cable_plugged = product.ModeOf(0) != nullptr;
    state.receiver_plugged = product.ModeOf(1) != nullptr;
    state.mouse_on = true;
    state.RestoreSettings(product);
    return state;
}

void MouseState::RestoreSettings(const SimProduct& product) {
    const FactorySettings& f = product.factory;
    payloads.clear();
    macros.clear();

    Payload rate{};
    rate[0] = f.report_rate;
    payloads[kSetReportRate] = rate;

    Payload stages{};
    stages[0] = static_cast<uint8_t>((f.stage_index << 4) | (f.stage_count & 0x0F));
    for (std::size_t i = 0; i < f.stage_dpi.size(); ++i) {
        const uint16_t code = EncodeDpi(product.sensor_code, f.stage_dpi[i]);
        for (std::size_t copy = 0; copy < 2; ++copy) {
            stages[1 + 4 * i + 2 * copy] = static_cast<uint8_t>(code & 0xFF);
            stages[2 + 4 * i + 2 * copy] = static_cast<uint8_t>(code >> 8);
        }
    }
    payloads[kSetDpiStages] = stages;

    Payload colours{};
    for (std::size_t i = 0; i < f.stage_colour.size(); ++i) {
        PutColour(colours, 3 * i, f.stage_colour[i]);
    }
    payloads[kSetDpiColours] = colours;

    payloads[kSetLighting] = LightingPayload(f);

    Payload sensor{};
    sensor[0] = f.liftoff;
    sensor[1] = f.sensor_options[0];
    sensor[2] = f.sensor_options[1];
    payloads[kSetSensor] = sensor;

    Payload power{};
    power[0] = f.sleep_time;
    power[1] = f.move_wakeup;
    power[2] = f.move_closelight;
    power[3] = f.debounce_ms;
    payloads[kSetPower] = power;

    payloads[kButtonFunction] = DefaultButtonSlots();
}

void MouseState::RestoreLighting(const SimProduct& product) {
    payloads[kSetLighting] = LightingPayload(product.factory);
}

Payload MouseState::PayloadOf(uint8_t code) const {
    const auto it = payloads.find(code);
    return it == payloads.end() ? Payload{} : it->second;
}

uint8_t MouseState::StageByte() const {
    return PayloadOf(kSetDpiStages)[0];
}

void MouseState::SetStageByte(uint8_t stage_byte) {
    Payload stages = PayloadOf(kSetDpiStages);
    stages[0] = stage_byte;
    payloads[kSetDpiStages] = stages;
}

void MouseState::Owe(int mode, std::vector<uint8_t> report) {
    if (report.empty()) {
        return;
    }
    const uint8_t kind = report[0];
    std::erase_if(owed, [&](const OwedReport& o) { return o.mode == mode && o.bytes.front() == kind; });
    owed.push_back({mode, std::move(report)});
}

std::vector<std::vector<uint8_t>> MouseState::TakeOwed(int mode) {
    std::vector<std::vector<uint8_t>> taken;
    std::erase_if(owed, [&](OwedReport& o) {
        if (o.mode != mode) {
            return false;
        }
        taken.push_back(std::move(o.bytes));
        return true;
    });
    return taken;
}

bool MouseState::Owes(int mode, uint8_t kind) const {
    return std::any_of(owed.begin(), owed.end(),
                       [&](const OwedReport& o) { return o.mode == mode && o.bytes.front() == kind; });
}

}  // namespace mousedeck::sim
