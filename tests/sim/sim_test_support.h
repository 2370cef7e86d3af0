#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "hid/hid_backend.h"
#include "sim/simulated_hid_backend.h"
#include "sim/simulated_mouse.h"

namespace mousedeck::sim::test {

// A 65-byte command frame built by hand: report id 0, code, 0, page byte,
// length byte, payload from byte 5, checksum (sum of 5..31) in byte 32.
std::vector<uint8_t> Frame(uint8_t code, std::initializer_list<uint8_t> payload = {}, uint8_t page = 0x01,
                           int length = -1);
// Frame with an explicit payload vector.
std::vector<uint8_t> FrameOf(uint8_t code, const std::vector<uint8_t>& payload, uint8_t page = 0x01,
                             int length = -1);
// A read frame: only the code set, page and length 0.
std::vector<uint8_t> ReadFrame(uint8_t code);

// Options with no environment, no files and a short latency.
SimOptions QuietOptions();

// The info of the first enumerated interface with this mode's ids and usage.
hid::HidDeviceInfo FindInterface(hid::HidBackend& backend, const SimProduct& product, int mode,
                                 uint16_t usage_page, uint16_t usage);

// Writes a frame and reads one report with a time-out; the reply bytes or
// empty when nothing came.
std::vector<uint8_t> Exchange(hid::HidHandle& handle, const std::vector<uint8_t>& frame,
                              int timeout_ms = 200);
std::vector<uint8_t> ReadReport(hid::HidHandle& handle, int timeout_ms = 200);
// Reply byte 1, or -1 when the reply is shorter than two bytes.
int StatusOf(const std::vector<uint8_t>& reply);
// Byte i of a report, or -1 when the report is shorter.
int ByteAt(const std::vector<uint8_t>& report, std::size_t i);

// A mouse with the default product, the backend over it, and the wired
// command interface open.
struct SimFixture {
    explicit SimFixture(SimProduct product = DefaultProduct(), SimOptions options = QuietOptions());
    std::unique_ptr<hid::HidHandle> OpenCommand(int mode);
    std::unique_ptr<hid::HidHandle> OpenBootLoader(int mode);

    SimulatedMouse mouse;
    SimulatedHidBackend backend;
    std::unique_ptr<hid::HidHandle> wired;
};

}  // namespace mousedeck::sim::test
