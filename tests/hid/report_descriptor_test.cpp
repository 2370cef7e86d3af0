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
    std::vector<uint8_t> long_item_first = {0xFE, 0x02, 0x10, 0xAA, 0xBB};  // skipped whole
    long_item_first.insert(long_item_first.end(), kVendorNoIds.begin(), kVendorNoIds.end());
    const struct {
        const char* name;
        const std::vector<uint8_t>* descriptor;
        uint8_t id;
        std::optional<size_t> expected;
    } cases[] = {
        {"no ids", &kVendorNoIds, 0, 64},
        {"after a long item", &long_item_first, 0, 64},
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
    std::vector<uint8_t> long_cut = kVendorNoIds;
    long_cut.insert(long_cut.end(), {0xFE, 0x04, 0x10, 0xAA});  // a long item with three of six bytes
    EXPECT_EQ(OutputReportLength(long_cut, 0), std::nullopt);
}

struct UsageCase {
    const char* label;
    std::vector<uint8_t> descriptor;
    std::vector<UsagePair> expected;
};

class TopLevelUsagesTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(TopLevelUsagesTest, FindsEachTopLevelCollection) {
    EXPECT_EQ(TopLevelUsages(GetParam().descriptor), GetParam().expected);
}

// Items: 05 xx usage page, 06 xx xx usage page (2 bytes), 09 xx usage,
// 0B xx xx xx xx extended usage, A1 xx collection, C0 end collection,
// 81 xx input, A4 push, B4 pop, FE long item.
INSTANTIATE_TEST_SUITE_P(
    Descriptors, TopLevelUsagesTest,
    ::testing::Values(
        UsageCase{"Mouse",
                  {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0xC0, 0xC0},
                  {{0x0001, 0x0002}}},
        UsageCase{"VendorCommand",
                  {0x06, 0x01, 0xFF, 0x09, 0x10, 0xA1, 0x01, 0x75, 0x08, 0xC0},
                  {{0xFF01, 0x0010}}},
        UsageCase{"GenericDesktopUsageZero", {0x05, 0x01, 0x09, 0x00, 0xA1, 0x01, 0xC0}, {{0x0001, 0x0000}}},
        UsageCase{"TwoCollectionsInOneNode",
                  {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0xC0, 0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0xC0},
                  {{0x0001, 0x0006}, {0x000C, 0x0001}}},
        UsageCase{"NestedCollectionsAreNotTopLevel",
                  {0x06, 0x01, 0xFF, 0x09, 0x10, 0xA1, 0x01, 0x09, 0x20, 0xA1, 0x02, 0xC0, 0xC0},
                  {{0xFF01, 0x0010}}},
        UsageCase{"ExtendedUsageCarriesItsPage",
                  {0x05, 0x01, 0x0B, 0x10, 0x00, 0x01, 0xFF, 0xA1, 0x01, 0xC0},
                  {{0xFF01, 0x0010}}},
        UsageCase{"PageAfterUsageStillApplies",
                  {0x09, 0x10, 0x06, 0x01, 0xFF, 0xA1, 0x01, 0xC0},
                  {{0xFF01, 0x0010}}},
        UsageCase{"PopRestoresThePage",
                  {0x05, 0x01, 0xA4, 0x06, 0x01, 0xFF, 0xB4, 0x09, 0x00, 0xA1, 0x01, 0xC0},
                  {{0x0001, 0x0000}}},
        UsageCase{"LongItemIsSkipped",
                  {0xFE, 0x02, 0x10, 0xAA, 0xBB, 0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0xC0},
                  {{0x0001, 0x0006}}},
        UsageCase{"MainItemEndsTheUsage", {0x05, 0x01, 0x09, 0x02, 0x81, 0x02, 0xA1, 0x01, 0xC0}, {}},
        UsageCase{"CollectionWithoutUsage", {0xA1, 0x01, 0xC0}, {}},
        UsageCase{"TruncatedKeepsWhatCameBefore",
                  {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xC0, 0x06, 0x01},
                  {{0x0001, 0x0002}}},
        UsageCase{"TruncatedLongItem", {0xFE}, {}}, UsageCase{"Empty", {}, {}}),
    [](const auto& p) { return std::string(p.param.label); });

}  // namespace
}  // namespace mousedeck::hid
