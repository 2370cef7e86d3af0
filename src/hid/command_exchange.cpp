#include "hid/command_exchange.h"

#include <algorithm>

#include "hid/interface_channel.h"

namespace mousedeck::hid {

bool RunExchange(InterfaceChannel& channel, CommandFrame& frame, size_t write_length, size_t read_length,
                 const ExchangeTiming& timing, std::optional<uint8_t>& unanswered) {
    const auto is_reply = [](const InputReport& r) { return r.size > 0 && !IsNotificationReport(r.bytes[0]); };
    channel.Discard(is_reply);

    const uint8_t command = frame[1];
    if (channel.Write(std::span(frame.bytes).first(write_length)) <= 0) {
        return false;
    }

    const std::optional<uint8_t> stale = unanswered != command ? unanswered : std::nullopt;
    const auto wanted = [&](const InputReport& r) {
        return is_reply(r) && !(stale && r.bytes[0] == *stale);
    };
    const auto late_reply = [&](const InputReport& r) { return is_reply(r) && stale && r.bytes[0] == *stale; };

    CommandFrame scratch = frame;
    bool success = false;
    for (int attempt = 0; attempt < timing.reply_attempts && !success; ++attempt) {
        const std::optional<InputReport> reply = channel.Take(timing.reply_wait, wanted);
        channel.Discard(late_reply);
        if (!reply) {
            if (channel.Lost()) {
                break;  // gone: no later read can deliver anything
            }
            continue;
        }
        const size_t n = std::min(reply->size, read_length);
        std::copy_n(reply->bytes.begin(), n, scratch.bytes.begin());
        success = n >= 2 && scratch[1] == 0x00;
    }
    frame = scratch;
    unanswered = success ? std::nullopt : std::optional<uint8_t>(command);
    return success;
}

}  // namespace mousedeck::hid
