#pragma once

#include <chrono>

namespace mousedeck::hid {

// The waits of the device channel. The defaults are the protocol's; tests
// shorten them to keep the no-reply cases quick.
struct ExchangeTiming {
    using ms = std::chrono::milliseconds;
    int reply_attempts = 50;     // reads per command before giving up
    ms reply_wait{30};           // per read: 50 x 30 ms bounds a command at 1.5 s
    ms identify_retry_delay{500};
    ms notification_wait{100};   // notification read through the selected interface
    ms receiver_wait{10};        // per receiver when no interface is selected
    ms upgrade_retry_delay{3};   // after a failed boot-loader write
    ms upgrade_read_delay{5};    // after the second write
    ms upgrade_read_wait{1000};
};

}  // namespace mousedeck::hid
