#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace mousedeck::sim {

// Puts the pages of one macro-data transfer (command 0x08) back together.
// Page byte: page index in the high nibble, page count in the low nibble.
// Pages must arrive in order 0..count-1 with the same count; page 0 always
// starts a new transfer, so an abandoned transfer never blocks the next one.
class MacroAssembler {
public:
    enum class Result {
        kPageTaken,  // more pages expected
        kComplete,   // the stream is whole: take it with TakeStream
        kRejected,   // out of order, bad page byte or malformed stream; transfer dropped
    };

    Result Take(uint8_t page_byte, std::span<const uint8_t> stream_bytes);

    // The completed stream: key-code byte, then four bytes per event.
    std::vector<uint8_t> TakeStream();

    // Drops an unfinished transfer.
    void Abandon();

private:
    std::vector<uint8_t> stream_;
    int expected_index_ = -1;  // -1: no transfer open
    int count_ = 0;
};

}  // namespace mousedeck::sim
