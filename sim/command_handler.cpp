#include "sim/command_handler.h"

#include <algorithm>

namespace mousedeck::sim {
namespace {

constexpr std::size_t kPayloadStart = 5;
constexpr std::size_t kChecksumByte = 32;
constexpr std::size_t kReplyPayloadStart = 4;

CommandHandler::Outcome Status(uint8_t code, uint8_t status) {
    CommandHandler::Outcome out;
    out.reply[0] = code;
    out.reply[1] = status;
    return out;
}

Payload PayloadOfFrame(const OutputReport& frame) {
    Payload p{};
    std::copy_n(frame.begin() + kPayloadStart, kPayloadSize, p.begin());
    return p;
}

}  // namespace

uint8_t FrameChecksum(std::span<const uint8_t> frame) {
    unsigned sum = 0;
    for (std::size_t i = kPayloadStart; i < kChecksumByte && i < frame.size(); ++i) {
        sum += frame[i];
    }
    return static_cast<uint8_t>(sum & 0xFF);
}

std::vector<uint8_t> ConnectionNotification(bool connected, const std::array<uint8_t, 2>& battery) {
    // Bytes 2 and 3 carry identity bytes 13 and 12: the host hands identity
    // 13, 12 and notification 2, 3 to the same display, so both ways give
    // the same pair.
    std::vector<uint8_t> report(kInputReportSize, 0);
    report[0] = kConnectionNotification;
    report[1] = connected ? 1 : 0;
    if (connected) {
        report[2] = battery[1];
        report[3] = battery[0];
    }
    return report;
}

std::vector<uint8_t> DpiNotification(uint8_t stage_byte) {
    std::vector<uint8_t> report(kInputReportSize, 0);
    report[0] = kDpiNotification;
    report[1] = stage_byte;
    return report;
}

CommandHandler::Outcome CommandHandler::Handle(const OutputReport& frame, MouseState& state,
                                               bool through_receiver) {
    const uint8_t code = frame[1];
    if (FrameChecksum(frame) != frame[kChecksumByte]) {
        return Status(code, kStatusBadChecksum);
    }
    const bool reachable = !through_receiver || state.mouse_on;
    if (code == kIdentity) {
        // The receiver answers for its paired mouse even while the mouse is off.
        return Identity(state, reachable);
    }
    if (!reachable) {
        return Status(code, kStatusMouseOffline);
    }
    if ((code >= kSetReportRate && code <= kButtonFunction) || code == kRestoreLighting ||
        code == kFactoryReset) {
        return Set(code, frame, state);
    }
    if (code == kBeginReadBack) {
        return Status(code, kStatusOk);
    }
    if (code >= kSetReportRate + 0x10 && code <= kSetPower + 0x10) {
        // A read answers the payload of the set command 0x10 lower, from byte 4.
        Outcome out = Status(code, kStatusOk);
        const Payload stored = state.PayloadOf(static_cast<uint8_t>(code - 0x10));
        std::copy(stored.begin(), stored.end(), out.reply.begin() + kReplyPayloadStart);
        return out;
    }
    if (code == kFirmwareVersion) {
        Outcome out = Status(code, kStatusOk);
        out.reply[4] = static_cast<uint8_t>(state.firmware >> 8);
        out.reply[5] = static_cast<uint8_t>(state.firmware & 0xFF);
        return out;
    }
    return Status(code, kStatusUnknownCommand);
}

CommandHandler::Outcome CommandHandler::Identity(const MouseState& state, bool mouse_reachable) const {
    Outcome out = Status(kIdentity, kStatusOk);
    for (std::size_t i = 0; i < 4 && i < state.device_id.size(); ++i) {
        out.reply[4 + i] = static_cast<uint8_t>(state.device_id[i]);
    }
    out.reply[10] = state.sensor_code.value_or(product_.sensor_code);
    out.reply[11] = state.highest_rate.value_or(product_.highest_rate);
    if (mouse_reachable) {
        out.reply[12] = state.battery[0];
        out.reply[13] = state.battery[1];
    }
    out.reply[14] = mouse_reachable ? 1 : 0;
    return out;
}

CommandHandler::Outcome CommandHandler::Set(uint8_t code, const OutputReport& frame, MouseState& state) {
    Outcome out = Status(code, kStatusOk);
    switch (code) {
        case kMacroData: {
            const std::size_t length = frame[4];
            if (length > kPayloadSize) {
                macros_.Abandon();
                return Status(code, kStatusBadPayload);
            }
            const auto bytes = std::span<const uint8_t>(frame).subspan(kPayloadStart, length);
            switch (macros_.Take(frame[3], bytes)) {
                case MacroAssembler::Result::kPageTaken:
                    return out;
                case MacroAssembler::Result::kRejected:
                    return Status(code, kStatusBadPayload);
                case MacroAssembler::Result::kComplete:
                    break;
            }
            std::vector<uint8_t> stream = macros_.TakeStream();
            state.macros[stream[0]] = std::vector<uint8_t>(stream.begin() + 1, stream.end());
            out.state_changed = true;
            return out;
        }
        case kRestoreLighting:
            if (frame[5] != 0x01) {
                return Status(code, kStatusBadPayload);
            }
            state.RestoreLighting(product_);
            out.state_changed = true;
            return out;
        case kFactoryReset:
            // 0xFF guards against a reset by a stray frame.
            if (frame[5] != 0xFF) {
                return Status(code, kStatusBadPayload);
            }
            state.RestoreSettings(product_);
            macros_.Abandon();
            out.state_changed = true;
            return out;
        default:
            state.payloads[code] = PayloadOfFrame(frame);
            out.state_changed = true;
            return out;
    }
}

}  // namespace mousedeck::sim
