#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "protocol/command_codes.h"

namespace mousedeck::protocol::test {

using Bytes = std::vector<uint8_t>;

// The bytes a builder hands to the exchange: the first `length` of the frame.
inline Bytes Written(const OutgoingFrame& out) {
    return Bytes(out.frame.bytes.begin(), out.frame.bytes.begin() + static_cast<std::ptrdiff_t>(out.length));
}

// A request written by hand: zeros, code in byte 1, page byte 3, length
// byte 4, payload from byte 5, the checksum (sum of bytes 5..31) in byte 32,
// cut to `write_length`.
inline Bytes Request(uint8_t code, uint8_t page, uint8_t length_byte, const Bytes& payload,
                     std::size_t write_length) {
    Bytes frame(65, 0);
    frame[1] = code;
    frame[3] = page;
    frame[4] = length_byte;
    for (std::size_t i = 0; i < payload.size(); ++i) {
        frame[5 + i] = payload[i];
    }
    unsigned sum = 0;
    for (std::size_t i = 5; i <= 31; ++i) {
        sum += frame[i];
    }
    frame[32] = static_cast<uint8_t>(sum & 0xFF);
    frame.resize(write_length);
    return frame;
}

// A reply as the exchange leaves it: code in byte 0, success in byte 1,
// payload from byte 4.
inline Bytes Reply(uint8_t code, std::initializer_list<uint8_t> payload) {
    Bytes reply(65, 0);
    reply[0] = code;
    std::size_t i = 4;
    for (uint8_t b : payload) {
        reply[i++] = b;
    }
    return reply;
}

}  // namespace mousedeck::protocol::test
