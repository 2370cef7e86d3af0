#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "hid/command_frame.h"
#include "hid/exchange_timing.h"

namespace mousedeck::hid {

class InterfaceChannel;

// One command exchange over an open interface; the frame's checksum must be
// in place already.
//  1. Replies still queued from an earlier exchange are dropped.
//  2. The first `write_length` bytes are written; a failed write ends the
//     exchange and leaves the frame as it was.
//  3. Up to timing.reply_attempts times, the next reply is awaited for
//     timing.reply_wait and laid over a copy of the request (a short reply
//     leaves the request's later bytes). A reply of two or more bytes whose
//     byte 1 is 0x00 is success. Notifications are never replies: they stay
//     queued for the notification read. A vanished interface ends the wait.
//  4. The frame receives the copy, success or not.
// `unanswered` carries, from one exchange to the next, the command code of an
// exchange that ended without success; a late reply to it (byte 0 echoes a
// different command than the one in flight) is skipped instead of taken.
bool RunExchange(InterfaceChannel& channel, CommandFrame& frame, size_t write_length, size_t read_length,
                 const ExchangeTiming& timing, std::optional<uint8_t>& unanswered);

}  // namespace mousedeck::hid
