#include "protocol/lighting_frames.h"

#include <algorithm>

#include "protocol/settings_frames.h"
#include "protocol/value_codecs.h"

namespace mousedeck::protocol {
namespace {

constexpr uint8_t kBreathingColourCount = 7;

void PutColour(hid::CommandFrame& frame, std::size_t at, int colour) {
    const Rgb rgb = ColourToRgb(colour);
    frame[at] = rgb.red;
    frame[at + 1] = rgb.green;
    frame[at + 2] = rgb.blue;
}

uint8_t LevelsByte(int brightness, int speed) {
    return static_cast<uint8_t>((std::clamp(brightness, 0, kMaxLightLevel) << 4) |
                                std::clamp(speed, 0, kMaxLightLevel));
}

}  // namespace

OutgoingFrame BuildLightingFrame(const store::LightSetting& light) {
    uint8_t length = 0;
    switch (static_cast<LightEffect>(light.mode)) {
        case LightEffect::kOff:
        case LightEffect::kNeon:
        case LightEffect::kColourWave:
            length = 2;
            break;
        case LightEffect::kFlowing:
            length = 3;
            break;
        case LightEffect::kSteady:
            length = 5;
            break;
        case LightEffect::kBreathing:
            length = 24;
            break;
    }
    OutgoingFrame out = StartSetFrame(Command::kSetLighting, length, hid::CommandFrame::kSize);
    if (length != 0) {
        out.frame[kPayloadStart] = static_cast<uint8_t>(light.mode);
        out.frame[kPayloadStart + 1] = LevelsByte(light.brightness, light.speed);
    }
    if (light.mode == static_cast<int>(LightEffect::kSteady)) {
        PutColour(out.frame, kPayloadStart + 2, light.color_values[0]);
    } else if (light.mode == static_cast<int>(LightEffect::kBreathing)) {
        out.frame[kPayloadStart + 2] = kBreathingColourCount;
        for (std::size_t i = 0; i < light.color_values.size(); ++i) {
            PutColour(out.frame, kPayloadStart + 3 + 3 * i, light.color_values[i]);
        }
    }
    FinishFrame(out);
    return out;
}

OutgoingFrame BuildRestoreLightingFrame() {
    OutgoingFrame out = StartSetFrame(Command::kRestoreLighting, 1, hid::CommandFrame::kShortLength);
    out.frame[kPayloadStart] = 0x01;
    FinishFrame(out);
    return out;
}

LightingReply DecodeLightingReply(std::span<const uint8_t> reply) {
    const auto at = [&](std::size_t i) -> uint8_t { return i < reply.size() ? reply[i] : 0; };
    LightingReply out;
    out.raw_effect = at(kReplyPayloadStart);
    out.raw_levels = at(kReplyPayloadStart + 1);
    if (out.raw_effect <= kHighestLightEffect) {
        out.effect = out.raw_effect;
    }
    const int brightness = out.raw_levels >> 4;
    const int speed = out.raw_levels & 0x0F;
    if (brightness <= kMaxLightLevel && speed <= kMaxLightLevel) {
        out.brightness = brightness;
        out.speed = speed;
    }
    return out;
}

}  // namespace mousedeck::protocol
