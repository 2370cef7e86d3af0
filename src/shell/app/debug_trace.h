#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "protocol/command_trace.h"

namespace mousedeck::shell::app {

// Where diagnostics go: commands the mouse did not acknowledge, read-backs
// that found no mouse, the raw notifications. Nothing here reaches the user.
// Called on the device worker thread.
using DebugTraceSink = std::function<void(std::string_view message, std::span<const uint8_t> bytes)>;

// Hands the command sender's traces and the controller's own to one sink;
// an empty sink drops them.
class DebugTrace final : public protocol::CommandTrace {
public:
    explicit DebugTrace(DebugTraceSink sink) : sink_(std::move(sink)) {}

    void Trace(std::string_view message, std::span<const uint8_t> bytes) override {
        if (sink_) {
            sink_(message, bytes);
        }
    }
    void Trace(std::string_view message) { Trace(message, {}); }

private:
    DebugTraceSink sink_;
};

}  // namespace mousedeck::shell::app
