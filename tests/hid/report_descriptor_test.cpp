#include "hid/report_descriptor.h"

#include <gtest/gtest.h>

#include <vector>

namespace mousedeck::hid {
namespace {

// Vendor collection with a 64-byte input and a 64-byte output report, no ids.
const std::vector<uint8_t> kVendorNoIds = {
    0x06, 0x01, 0xFF,  // usage page 0xFF01
    0x09, 0x10,        // usage 0x10
    0xA1, 0x01,        // collection (application)
    0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,  // logical 0..255, size 8
    0x95, 0x40, 0x09, 0x01, 0x81, 0x02,        // count 64, input
    0x95, 0x40, 0x09, 0x01, 0x91, 0x02,        // count 64, output
    0xC0,
};

// Report 5 has 63 output bytes, report 6 has 1 + 3 bits (2 bytes); push/pop
// restores the report size.
const std::vector<uint8_t> kWithIds = {
    0x06, 0xEF, 0xFF, 0x09, 0x00, 0xA1, 0x01,
    0x85, 0x05, 0x75, 0x08, 0x95, 0x3F, 0x91, 0x02,  // id 5: 63 x 8 bits
    0x85, 0x06, 0x95, 0x01, 0x91, 0x02,              // id 6: 8 bits
    0xA4, 0x75, 0x01, 0x95, 0x03, 0x91, 0x02, 0xB4,  // + 3 bits, then pop
    0x95, 0x01, 0x81, 0x02,                          // input, size 8 again
    0xC0,
};

TEST(ReportDescriptorTest, OutputLengths) {
    const struct {
        const char* name;
        const std::vector<uint8_t>* descriptor;
        uint8_t id;
        std::optional<size_t> expected;
    } cases[] = {
        {"no ids", &kVendorNoIds, 0, 64},
        {"id 5", &kWithIds, 5, 63},
        {"bits round up", &kWithIds, 6, 2},
        {"unknown id", &kWithIds, 7, std::nullopt},
        {"no output report without ids", &kWithIds, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OutputReportLength(*c.descriptor, c.id), c.expected) << c.name;
    }
}

TEST(ReportDescriptorTest, TruncatedDescriptorGivesNothing) {
    std::vector<uint8_t> cut = kVendorNoIds;
    cut.push_back(0x26);  // a two-byte item with one byte left
    cut.push_back(0xFF);
    EXPECT_EQ(OutputReportLength(cut, 0), std::nullopt);
    EXPECT_EQ(OutputReportLength({}, 0), std::nullopt);
}

}  // namespace
}  // namespace mousedeck::hid
