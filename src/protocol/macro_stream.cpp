#include "protocol/macro_stream.h"

#include <algorithm>
#include <optional>

#include "protocol/key_usage.h"
#include "protocol/settings_frames.h"

namespace mousedeck::protocol {
namespace {

constexpr uint8_t kKeyPressEvent = 0x30;
constexpr uint8_t kKeyReleaseEvent = 0xB0;
constexpr uint8_t kModifierPressEvent = 0x20;
constexpr uint8_t kModifierReleaseEvent = 0xA0;
constexpr uint8_t kButtonPressEvent = 0x10;
constexpr uint8_t kButtonReleaseEvent = 0x90;

bool IsEvent(int type) {
    return type >= static_cast<int>(RecordKind::kKeyPress) &&
           type <= static_cast<int>(RecordKind::kButtonRelease);
}

void PutDelay(std::vector<uint8_t>& stream, std::size_t event_at, int64_t delay) {
    const auto ms = static_cast<uint16_t>(std::clamp<int64_t>(delay, 0, 0xFFFF));
    stream[event_at + 1] = static_cast<uint8_t>(ms & 0xFF);
    stream[event_at + 2] = static_cast<uint8_t>(ms >> 8);
}

void AppendEvent(std::vector<uint8_t>& stream, const store::MacroRecord& record) {
    const auto kind = static_cast<RecordKind>(record.type);
    uint8_t code = 0;
    uint8_t data = 0;
    switch (kind) {
        case RecordKind::kKeyPress:
        case RecordKind::kKeyRelease: {
            const bool press = kind == RecordKind::kKeyPress;
            if (IsModifierKey(record.value)) {
                code = press ? kModifierPressEvent : kModifierReleaseEvent;
                data = static_cast<uint8_t>(ModifierBitOf(record.value));
            } else {
                code = press ? kKeyPressEvent : kKeyReleaseEvent;
                data = UsageOf(record.value);
            }
            break;
        }
        case RecordKind::kButtonPress:
            code = kButtonPressEvent;
            data = static_cast<uint8_t>(record.value & 0xFF);
            break;
        default:
            code = kButtonReleaseEvent;
            data = static_cast<uint8_t>(record.value & 0xFF);
            break;
    }
    stream.insert(stream.end(), {code, 0x01, 0x00, data});  // delay 1 until the next record says otherwise
}

}  // namespace

std::size_t CountMacroEvents(std::span<const store::MacroRecord> records) {
    return static_cast<std::size_t>(
        std::ranges::count_if(records, [](const auto& r) { return IsEvent(r.type); }));
}

std::vector<uint8_t> BuildMacroStream(int key_code, std::span<const store::MacroRecord> records) {
    std::vector<store::MacroRecord> ordered(records.begin(), records.end());
    std::ranges::stable_sort(ordered, {}, &store::MacroRecord::record_index);

    std::vector<uint8_t> stream{static_cast<uint8_t>(key_code & 0xFF)};
    std::optional<std::size_t> previous;  // offset of the last event entry
    int64_t accumulated = 0;
    bool delay_pending = false;  // a delay record came after the last event
    for (const auto& record : ordered) {
        if (record.type == static_cast<int>(RecordKind::kDelay)) {
            accumulated += record.value;
            delay_pending = true;
            continue;
        }
        if (!IsEvent(record.type)) {
            continue;
        }
        if (previous) {
            PutDelay(stream, *previous, accumulated > 0 ? accumulated : 1);
            accumulated = 0;
        }
        delay_pending = false;
        previous = stream.size();
        AppendEvent(stream, record);
    }
    if (previous && delay_pending) {
        PutDelay(stream, *previous, accumulated);
    }
    return stream;
}

std::vector<OutgoingFrame> BuildMacroDataFrames(std::span<const uint8_t> stream) {
    std::vector<OutgoingFrame> frames;
    if (stream.empty() || stream.size() > kMaxMacroStreamSize) {
        return frames;
    }
    const std::size_t count = (stream.size() + kPayloadCapacity - 1) / kPayloadCapacity;
    for (std::size_t page = 0; page < count; ++page) {
        const std::size_t begin = page * kPayloadCapacity;
        const std::size_t size = std::min(kPayloadCapacity, stream.size() - begin);
        const auto page_byte = static_cast<uint8_t>((page << 4) | count);
        OutgoingFrame out = StartSetFrame(Command::kMacroData, static_cast<uint8_t>(size),
                                          hid::CommandFrame::kShortLength, page_byte);
        std::copy_n(stream.begin() + static_cast<std::ptrdiff_t>(begin), size,
                    out.frame.bytes.begin() + static_cast<std::ptrdiff_t>(kPayloadStart));
        FinishFrame(out);
        frames.push_back(out);
    }
    return frames;
}

}  // namespace mousedeck::protocol
