#include <gtest/gtest.h>

#include "protocol/device_identity.h"
#include "protocol/firmware_version.h"
#include "protocol/value_codecs.h"

namespace mousedeck::protocol {
namespace {

TEST(ReportRateTest, CodesAndRatesBothWays) {
    const struct {
        int code;
        int hz;
    } cases[] = {{8, 125}, {4, 250}, {2, 500}, {1, 1000}, {0x10, 2000}, {0x20, 4000}, {0x40, 8000}};
    for (const auto& c : cases) {
        EXPECT_EQ(ReportRateHz(c.code), c.hz) << c.code;
        EXPECT_EQ(ReportRateCode(c.hz), c.code) << c.hz;
    }
    for (int not_a_code : {0, 3, 5, 0x80, 0xFF, -1, 1000}) {
        EXPECT_FALSE(IsReportRateCode(not_a_code)) << not_a_code;
    }
    EXPECT_EQ(ReportRateCode(1001), std::nullopt);
}

TEST(ReportRateTest, CapabilityFromIdentityByte11) {
    const struct {
        uint8_t byte;
        int capability;
    } cases[] = {{0x10, 5}, {0x20, 6}, {0x40, 7}, {0x00, 4}, {0x01, 4}, {0x30, 4}, {0xFF, 4}};
    for (const auto& c : cases) {
        EXPECT_EQ(ReportRateCapability(c.byte), c.capability) << int(c.byte);
    }
}

TEST(ColourTest, RedTravelsFirstAndHighBitsAreIgnored) {
    EXPECT_EQ(ColourToRgb(0x0000FF), (Rgb{0xFF, 0x00, 0x00}));
    EXPECT_EQ(ColourToRgb(0xFF0000), (Rgb{0x00, 0x00, 0xFF}));
    EXPECT_EQ(ColourToRgb(0x20A3FF), (Rgb{0xFF, 0xA3, 0x20}));
    EXPECT_EQ(ColourToRgb(0x7F123456), (Rgb{0x56, 0x34, 0x12}));
    EXPECT_EQ(ColourToRgb(-1), (Rgb{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(ColourFromRgb(Rgb{0xFF, 0xA3, 0x20}), 0x20A3FF);
    EXPECT_EQ(ColourFromRgb(Rgb{0xFF, 0xFF, 0xFF}), 0xFFFFFF);
}

TEST(StageByteTest, DecodeValidateAndEncode) {
    EXPECT_EQ(DecodeStageByte(0x23), (StageByte{2, 3}));
    const struct {
        uint8_t byte;
        bool valid;
    } cases[] = {{0x01, true},  {0x23, true},  {0x56, true},  {0x00, false}, {0x0F, false},
                 {0x07, false}, {0x33, false}, {0x66, false}, {0xF6, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidStage(DecodeStageByte(c.byte)), c.valid) << int(c.byte);
    }
    // Stored values that are no stage byte are sent as one the mouse can hold.
    const struct {
        int index, count;
        uint8_t byte;
    } sent[] = {{2, 3, 0x23},  {0, 6, 0x06}, {5, 6, 0x56},  {3, 3, 0x03},
                {-1, 4, 0x04}, {0, 0, 0x01}, {1, 15, 0x16}, {7, 99, 0x06}};
    for (const auto& c : sent) {
        EXPECT_EQ(EncodeStageByte(c.index, c.count), c.byte) << c.index << "/" << c.count;
    }
}

TEST(SleepUnitsTest, TenSecondUnits) {
    EXPECT_EQ(SleepSeconds(6), 60);
    EXPECT_EQ(SleepSeconds(180), 1800);
    EXPECT_EQ(SleepUnits(60), 6);
    EXPECT_EQ(SleepUnits(1805), 180);
    EXPECT_EQ(SleepUnits(-10), 0);
    EXPECT_EQ(SleepUnits(100000), 255);
}

TEST(IdentityTest, DecodesSensorCapabilityBatteryAndOnline) {
    std::array<uint8_t, 65> reply{};
    reply[10] = 150;
    reply[11] = 0x40;
    reply[12] = 0x01;
    reply[13] = 0x57;
    reply[14] = 1;
    EXPECT_EQ(DecodeIdentity(reply), (DeviceIdentity{150, 7, {0x01, 0x57}, true}));

    // Never identified: all zeros. An unknown sensor code is kept as it is;
    // its limits and encoding are those of "any other" sensor.
    EXPECT_EQ(DecodeIdentity(std::array<uint8_t, 65>{}), (DeviceIdentity{0, 4, {0, 0}, false}));
    reply[10] = 0xEE;
    reply[14] = 0x80;
    EXPECT_EQ(DecodeIdentity(reply).sensor_code, 0xEE);
    EXPECT_TRUE(DecodeIdentity(reply).online);
    // A short reply reads its missing bytes as 0.
    const uint8_t short_reply[12] = {0x10, 0, 0, 0, 'S', 'M', '0', '1', 0, 0, 17, 0x20};
    EXPECT_EQ(DecodeIdentity(short_reply), (DeviceIdentity{17, 6, {0, 0}, false}));
}

TEST(FirmwareVersionTest, TextAndDisplay) {
    EXPECT_EQ(FirmwareVersionText(1, 5), "105");
    EXPECT_EQ(FirmwareVersionText(0x12, 0x05), "1205");
    EXPECT_EQ(FirmwareVersionText(0, 0), "000");
    EXPECT_EQ(FirmwareVersionText(0xFF, 0xAB), "FFAB");
    EXPECT_EQ(ReleaseVersionText(0x0105), "105");
    EXPECT_EQ(ReleaseVersionText(0x1234), "1234");

    EXPECT_EQ(VersionDisplayText("105"), "1.05");
    // Every digit of the major part stays visible: 0x12/0x05 is not 1.05.
    EXPECT_EQ(VersionDisplayText("1205"), "12.05");
    EXPECT_EQ(SplitVersionText("1205"), (VersionDisplay{"12", "05"}));
    EXPECT_EQ(SplitVersionText("5"), (VersionDisplay{"", "5"}));
    EXPECT_EQ(SplitVersionText(""), (VersionDisplay{"", ""}));
}

}  // namespace
}  // namespace mousedeck::protocol
