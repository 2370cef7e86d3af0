#include "hid/report_descriptor.h"

#include <map>
#include <vector>

namespace mousedeck::hid {

namespace {

// Short-item prefixes (tag, type and size bits) with the size bits masked off.
constexpr uint8_t kOutput = 0x90;       // main
constexpr uint8_t kReportSize = 0x74;   // global
constexpr uint8_t kReportId = 0x84;     // global
constexpr uint8_t kReportCount = 0x94;  // global
constexpr uint8_t kPush = 0xA4;         // global
constexpr uint8_t kPop = 0xB4;          // global
constexpr uint8_t kLongItem = 0xFE;

struct Globals {
    uint32_t report_size = 0;
    uint32_t report_count = 0;
    uint8_t report_id = 0;
};

}  // namespace

std::optional<size_t> OutputReportLength(std::span<const uint8_t> descriptor, uint8_t report_id) {
    Globals globals;
    std::vector<Globals> stack;
    std::map<uint8_t, uint64_t> output_bits;
    size_t i = 0;
    while (i < descriptor.size()) {
        const uint8_t prefix = descriptor[i];
        if (prefix == kLongItem) {
            if (i + 1 >= descriptor.size()) {
                return std::nullopt;
            }
            i += 3 + descriptor[i + 1];
            continue;
        }
        const size_t size = (prefix & 0x03) == 3 ? 4 : (prefix & 0x03);
        if (i + 1 + size > descriptor.size()) {
            return std::nullopt;
        }
        uint32_t value = 0;
        for (size_t b = 0; b < size; ++b) {
            value |= static_cast<uint32_t>(descriptor[i + 1 + b]) << (8 * b);
        }
        switch (prefix & 0xFC) {
            case kOutput:
                output_bits[globals.report_id] += uint64_t{globals.report_size} * globals.report_count;
                break;
            case kReportSize: globals.report_size = value; break;
            case kReportCount: globals.report_count = value; break;
            case kReportId: globals.report_id = static_cast<uint8_t>(value); break;
            case kPush: stack.push_back(globals); break;
            case kPop:
                if (!stack.empty()) {
                    globals = stack.back();
                    stack.pop_back();
                }
                break;
            default: break;
        }
        i += 1 + size;
    }
    const auto it = output_bits.find(report_id);
    if (it == output_bits.end() || i != descriptor.size()) {
        return std::nullopt;
    }
    return static_cast<size_t>((it->second + 7) / 8);
}

}  // namespace mousedeck::hid
