#include "sim_test_support.h"

#include <gtest/gtest.h>

namespace mousedeck::sim::test {

std::vector<uint8_t> FrameOf(uint8_t code, const std::vector<uint8_t>& payload, uint8_t page, int length) {
    std::vector<uint8_t> frame(65, 0);
    frame[1] = code;
    frame[3] = page;
    frame[4] = static_cast<uint8_t>(length < 0 ? payload.size() : static_cast<std::size_t>(length));
    for (std::size_t i = 0; i < payload.size() && 5 + i < 32; ++i) {
        frame[5 + i] = payload[i];
    }
    unsigned sum = 0;
    for (int i = 5; i <= 31; ++i) {
        sum += frame[i];
    }
    frame[32] = static_cast<uint8_t>(sum % 256);
    return frame;
}

std::vector<uint8_t> Frame(uint8_t code, std::initializer_list<uint8_t> payload, uint8_t page, int length) {
    return FrameOf(code, std::vector<uint8_t>(payload), page, length);
}

std::vector<uint8_t> ReadFrame(uint8_t code) {
    return FrameOf(code, {}, 0x00, 0);
}

SimOptions QuietOptions() {
    SimOptions options;
    options.reply_latency = std::chrono::microseconds(100);
    return options;
}

hid::HidDeviceInfo FindInterface(hid::HidBackend& backend, const SimProduct& product, int mode,
                                 uint16_t usage_page, uint16_t usage) {
    const SimMode* m = product.ModeOf(mode);
    if (m == nullptr) {
        return {};
    }
    for (const auto& info : backend.Enumerate(m->vendor_id, m->product_id)) {
        if (info.usage_page == usage_page && info.usage == usage) {
            return info;
        }
    }
    return {};
}

std::vector<uint8_t> ReadReport(hid::HidHandle& handle, int timeout_ms) {
    std::vector<uint8_t> buffer(65, 0);
    const int n = handle.Read(buffer, timeout_ms);
    buffer.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return buffer;
}

int StatusOf(const std::vector<uint8_t>& reply) {
    return reply.size() >= 2 ? reply[1] : -1;
}

int ByteAt(const std::vector<uint8_t>& report, std::size_t i) {
    return i < report.size() ? report[i] : -1;
}

std::vector<uint8_t> Exchange(hid::HidHandle& handle, const std::vector<uint8_t>& frame, int timeout_ms) {
    if (handle.Write(frame) != static_cast<int>(frame.size())) {
        return {};
    }
    return ReadReport(handle, timeout_ms);
}

SimFixture::SimFixture(SimProduct product, SimOptions options)
    : mouse(std::move(product), std::move(options)), backend(mouse) {
    wired = OpenCommand(0);
}

std::unique_ptr<hid::HidHandle> SimFixture::OpenCommand(int mode) {
    const auto info = FindInterface(backend, mouse.product(), mode, 0xFF01, 0x0010);
    return info.path.empty() ? nullptr : backend.Open(info.path);
}

std::unique_ptr<hid::HidHandle> SimFixture::OpenBootLoader(int mode) {
    const auto info = FindInterface(backend, mouse.product(), mode, 0xFFEF, 0x0000);
    return info.path.empty() ? nullptr : backend.Open(info.path);
}

}  // namespace mousedeck::sim::test
