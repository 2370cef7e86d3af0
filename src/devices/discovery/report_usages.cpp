#include "devices/discovery/report_usages.h"

namespace mousedeck::discovery {
namespace {

// Short-item prefixes with the size bits masked off.
constexpr uint8_t kCollection = 0xA0;     // main
constexpr uint8_t kEndCollection = 0xC0;  // main
constexpr uint8_t kUsagePage = 0x04;      // global
constexpr uint8_t kPush = 0xA4;           // global
constexpr uint8_t kPop = 0xB4;            // global
constexpr uint8_t kUsage = 0x08;          // local
constexpr uint8_t kLongItem = 0xFE;       // size in the next byte, tag after it
constexpr uint8_t kTypeMask = 0x0C;
constexpr uint8_t kMainType = 0x00;

}  // namespace

std::vector<UsagePair> TopLevelUsages(std::span<const uint8_t> descriptor) {
    std::vector<UsagePair> found;
    uint16_t page = 0;
    std::vector<uint16_t> pushed_pages;
    bool have_usage = false;
    UsagePair usage;  // the last local usage, with the page it belongs to
    bool usage_extended = false;
    int depth = 0;

    size_t i = 0;
    while (i < descriptor.size()) {
        const uint8_t prefix = descriptor[i];
        if (prefix == kLongItem) {
            if (i + 1 >= descriptor.size()) {
                break;
            }
            i += 3 + size_t{descriptor[i + 1]};
            continue;
        }
        const size_t size = (prefix & 0x03) == 3 ? 4 : (prefix & 0x03);
        if (i + 1 + size > descriptor.size()) {
            break;
        }
        uint32_t value = 0;
        for (size_t b = 0; b < size; ++b) {
            value |= static_cast<uint32_t>(descriptor[i + 1 + b]) << (8 * b);
        }
        switch (prefix & 0xFC) {
            case kUsagePage:
                page = static_cast<uint16_t>(value);
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
                usage_extended = size == 4;
                usage.usage_page = static_cast<uint16_t>(value >> 16);
                usage.usage = static_cast<uint16_t>(value);
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
        if ((prefix & kTypeMask) == kMainType) {
            have_usage = false;
        }
        i += 1 + size;
    }
    return found;
}

}  // namespace mousedeck::discovery
