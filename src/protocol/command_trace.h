#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace mousedeck::protocol {

// Diagnostic sink for the command sender: a command that got no
// acknowledgement, or a stored value that could not be sent. `bytes` is the
// frame as the exchange left it (the request, or the last reply read).
// Called on the device worker thread; nothing here reaches the user.
class CommandTrace {
public:
    virtual ~CommandTrace() = default;
    virtual void Trace(std::string_view message, std::span<const uint8_t> bytes) {
        static_cast<void>(message);
        static_cast<void>(bytes);
    }
};

}  // namespace mousedeck::protocol
