#include "sim/macro_assembler.h"

#include <utility>

namespace mousedeck::sim {
namespace {

// Buttons have key codes 0..20.
constexpr uint8_t kHighestKeyCode = 20;

}  // namespace

MacroAssembler::Result MacroAssembler::Take(uint8_t page_byte, std::span<const uint8_t> stream_bytes) {
    const int index = page_byte >> 4;
    const int count = page_byte & 0x0F;
    if (index == 0) {
        stream_.clear();
        expected_index_ = 0;
        count_ = count;
    }
    if (count == 0 || index >= count || index != expected_index_ || count != count_) {
        stream_.clear();
        expected_index_ = -1;
        return Result::kRejected;
    }
    stream_.insert(stream_.end(), stream_bytes.begin(), stream_bytes.end());
    if (index + 1 < count) {
        ++expected_index_;
        return Result::kPageTaken;
    }
    expected_index_ = -1;
    // A whole stream is the key code followed by four-byte events.
    if (stream_.empty() || stream_[0] > kHighestKeyCode || (stream_.size() - 1) % 4 != 0) {
        stream_.clear();
        return Result::kRejected;
    }
    return Result::kComplete;
}

void MacroAssembler::Abandon() {
    stream_.clear();
    expected_index_ = -1;
}

std::vector<uint8_t> MacroAssembler::TakeStream() {
    return std::exchange(stream_, {});
}

}  // namespace mousedeck::sim
