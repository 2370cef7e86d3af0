#include "hid/report_descriptor.h"

#include <map>

namespace mousedeck::hid {

namespace {

// Short-item prefixes (tag, type and size bits) with the size bits masked off.
constexpr uint8_t kOutput = 0x90;         // main
constexpr uint8_t kCollection = 0xA0;     // main
constexpr uint8_t kEndCollection = 0xC0;  // main
constexpr uint8_t kUsagePage = 0x04;      // global
constexpr uint8_t kReportSize = 0x74;     // global
constexpr uint8_t kReportId = 0x84;       // global
constexpr uint8_t kReportCount = 0x94;    // global
constexpr uint8_t kPush = 0xA4;           // global
constexpr uint8_t kPop = 0xB4;            // global
constexpr uint8_t kUsage = 0x08;          // local
constexpr uint8_t kLongItem = 0xFE;       // size in the next byte, tag after it
constexpr uint8_t kTypeMask = 0x0C;
constexpr uint8_t kMainType = 0x00;

// One short item: its prefix without the size bits, its data size in bytes
// and its data, little-endian.
struct Item {
    uint8_t tag = 0;
    size_t size = 0;
    uint32_t value = 0;
};

// Calls visit(item) for each short item in order; long items are skipped.
// True when the items end exactly at the end of the descriptor, false when
// one runs past it (visiting stops there).
template <typename Visit>
bool ForEachItem(std::span<const uint8_t> descriptor, Visit visit) {
    size_t i = 0;
    while (i < descriptor.size()) {
        const uint8_t prefix = descriptor[i];
        if (prefix == kLongItem) {
            if (i + 1 >= descriptor.size()) {
                return false;
            }
            i += 3 + size_t{descriptor[i + 1]};
            continue;
        }
        Item item;
        item.tag = prefix & 0xFC;
        item.size = (prefix & 0x03) == 3 ? 4 : (prefix & 0x03);
        if (i + 1 + item.size > descriptor.size()) {
            return false;
        }
        for (size_t b = 0; b < item.size; ++b) {
            item.value |= static_cast<uint32_t>(descriptor[i + 1 + b]) << (8 * b);
        }
        visit(item);
        i += 1 + item.size;
    }
    return i == descriptor.size();
}

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
    const bool complete = ForEachItem(descriptor, [&](const Item& item) {
        switch (item.tag) {
            case kOutput:
                output_bits[globals.report_id] += uint64_t{globals.report_size} * globals.report_count;
                break;
            case kReportSize:
                globals.report_size = item.value;
                break;
            case kReportCount:
                globals.report_count = item.value;
                break;
            case kReportId:
                globals.report_id = static_cast<uint8_t>(item.value);
                break;
            case kPush:
                stack.push_back(globals);
                break;
            case kPop:
                if (!stack.empty()) {
                    globals = stack.back();
                    stack.pop_back();
                }
                break;
            default:
                break;
        }
    });
    const auto it = output_bits.find(report_id);
    if (!complete || it == output_bits.end()) {
        return std::nullopt;
    }
    return static_cast<size_t>((it->second + 7) / 8);
}

std::vector<UsagePair> TopLevelUsages(std::span<const uint8_t> descriptor) {
    std::vector<UsagePair> found;
    uint16_t page = 0;
    std::vector<uint16_t> pushed_pages;
    bool have_usage = false;
    UsagePair usage;  // the last local usage, with the page it belongs to
    bool usage_extended = false;
    int depth = 0;
    ForEachItem(descriptor, [&](const Item& item) {
        switch (item.tag) {
            case kUsagePage:
                page = static_cast<uint16_t>(item.value);
                break;
            case kPush:
                pushed_pages.push_back(page);
                break;
            case kPop:
                if (!pushed_pages.empty()) {
                    page = pushed_pages.back();
                    pushed_pages.pop_back();
                }
                break;
            case kUsage:
                have_usage = true;
                usage_extended = item.size == 4;
                usage.usage_page = static_cast<uint16_t>(item.value >> 16);
                usage.usage = static_cast<uint16_t>(item.value);
                break;
            case kCollection:
                if (depth == 0 && have_usage) {
                    // A short usage takes the page in force when the
                    // collection opens, whatever order the two came in.
                    found.push_back({usage_extended ? usage.usage_page : page, usage.usage});
                }
                ++depth;
                break;
            case kEndCollection:
                if (depth > 0) {
                    --depth;
                }
                break;
            default:
                break;
        }
        // Local items last until the next main item.
        if ((item.tag & kTypeMask) == kMainType) {
            have_usage = false;
        }
    });
    return found;
}

}  // namespace mousedeck::hid
