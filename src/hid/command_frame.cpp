#include "hid/command_frame.h"

#include <numeric>

namespace mousedeck::hid {

uint8_t FrameChecksum(std::span<const uint8_t, CommandFrame::kSize> frame) {
    const auto covered = frame.subspan<5, CommandFrame::kChecksumIndex - 5>();
    return static_cast<uint8_t>(std::accumulate(covered.begin(), covered.end(), 0u));
}

void StoreChecksum(CommandFrame& frame) {
    frame.bytes[CommandFrame::kChecksumIndex] = FrameChecksum(frame.bytes);
}

}  // namespace mousedeck::hid
