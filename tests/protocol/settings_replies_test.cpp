#include <gtest/gtest.h>

#include <map>

#include "frame_bytes.h"
#include "protocol/settings_replies.h"

namespace mousedeck::protocol::test {
namespace {

using Keys = std::map<std::string, std::string>;

Keys AsMap(const std::vector<store::ConfigRow>& rows) {
    Keys keys;
    for (const auto& row : rows) {
        EXPECT_TRUE(keys.emplace(row.key, row.value).second) << "key twice: " << row.key;
    }
    return keys;
}

TEST(ReportRateReplyTest, StoresBothKeysOnlyForARate) {
    EXPECT_EQ(AsMap(ReportRateRows(DecodeReportRateReply(Reply(0x12, {0x40})))),
              (Keys{{"report_rate", "64"}, {"report_rate_wireless", "64"}}));
    EXPECT_EQ(AsMap(ReportRateRows(DecodeReportRateReply(Reply(0x12, {0x08})))),
              (Keys{{"report_rate", "8"}, {"report_rate_wireless", "8"}}));
    for (uint8_t bad : {0x00, 0x03, 0x80, 0xFF}) {
        const auto reply = DecodeReportRateReply(Reply(0x12, {bad}));
        EXPECT_EQ(reply.raw, bad);
        EXPECT_TRUE(ReportRateRows(reply).empty()) << int(bad);
    }
}

// Reply layout: stage byte in 4, stage 0 code twice (5-6, 7-8), then four
// bytes per further stage; stage 0 is taken from its second copy.
Bytes StagesReply(uint8_t stage_byte, const std::array<uint16_t, 6>& codes, uint16_t stage0_first_copy) {
    Bytes reply = Reply(0x13, {stage_byte});
    const auto put = [&](std::size_t at, uint16_t code) {
        reply[at] = static_cast<uint8_t>(code & 0xFF);
        reply[at + 1] = static_cast<uint8_t>(code >> 8);
    };
    put(5, stage0_first_copy);
    put(7, codes[0]);
    for (std::size_t k = 1; k < 6; ++k) {
        put(5 + 4 * k, codes[k]);
        put(7 + 4 * k, 0x7777);  // second copies of stages 1..5 are not read
    }
    return reply;
}

TEST(DpiStagesReplyTest, DecodesStageByteAndSixValues) {
    const auto reply = DecodeDpiStagesReply(StagesReply(0x23, {15, 31, 63, 127, 255, 519}, 0x1111), 0);
    EXPECT_EQ(AsMap(DpiStagesRows(reply)), (Keys{{"dpi_flag", "3"},
                                                 {"dpi_count", "3"},
                                                 {"dpi_index", "2"},
                                                 {"dpi_group0_value", "800"},
                                                 {"dpi_group1_value", "1600"},
                                                 {"dpi_group2_value", "3200"},
                                                 {"dpi_group3_value", "6400"},
                                                 {"dpi_group4_value", "12800"},
                                                 {"dpi_group5_value", "26000"}}));
    // Sensor 17 reads 221 as 13000 and 232 as 24000.
    const auto s17 = DecodeDpiStagesReply(StagesReply(0x01, {16, 200, 220, 221, 232, 1}, 0), 17);
    EXPECT_EQ(s17.values, (std::array<std::optional<int>, 6>{800, 10000, 12000, 13000, 24000, 50}));
}

TEST(DpiStagesReplyTest, OutOfRangeFieldsAreNotStored) {
    // Codes 0 and 0xFFFF on sensor 4 decode to 0 and 6553500, code 81 to
    // 8100: all outside 50..8000. Stage bytes with no stages, 15 stages or an
    // index past the count keep dpi_count, dpi_flag and dpi_index.
    for (uint8_t stage_byte : {0x00, 0x0F, 0x33, 0x76, 0xFF}) {
        const auto reply = DecodeDpiStagesReply(StagesReply(stage_byte, {0, 0xFFFF, 81, 80, 1, 0}, 0), 4);
        EXPECT_EQ(reply.stage, std::nullopt) << int(stage_byte);
        EXPECT_EQ(AsMap(DpiStagesRows(reply)),
                  (Keys{{"dpi_group3_value", "8000"}, {"dpi_group4_value", "100"}}))
            << int(stage_byte);
    }
    // The smallest value stored is 50: code 0 is 50 on an unlisted sensor
    // and 0 on sensor 150.
    const auto low = DecodeDpiStagesReply(StagesReply(0x16, {0, 0, 0, 0, 0, 0}, 0), 0);
    EXPECT_EQ(low.values[0], 50);
    EXPECT_EQ(DecodeDpiStagesReply(StagesReply(0x16, {0, 0, 0, 0, 0, 0}, 0), 150).values[0], std::nullopt);
}

TEST(DpiColoursReplyTest, RedGreenBlueToColourKeys) {
    const Bytes reply =
        Reply(0x14, {0xFF, 0, 0, 0, 0, 0xFF, 0xFF, 0xA3, 0x20, 0xFF, 0xFF, 0xFF, 0, 0, 0, 1, 2, 3});
    EXPECT_EQ(AsMap(DpiColoursRows(DecodeDpiColoursReply(reply))), (Keys{{"dpi_group0_rgb", "255"},
                                                                         {"dpi_group1_rgb", "16711680"},
                                                                         {"dpi_group2_rgb", "2139135"},
                                                                         {"dpi_group3_rgb", "16777215"},
                                                                         {"dpi_group4_rgb", "0"},
                                                                         {"dpi_group5_rgb", "197121"}}));
}

TEST(LiftSensorReplyTest, LiftOffAndFlagsEachValidatedOnTheirOwn) {
    const struct {
        Bytes payload;
        Keys keys;
    } cases[] = {
        {{1, 0, 1}, {{"liftoff_height", "1"}, {"sensor_flag", "4"}}},
        {{2, 1, 1}, {{"liftoff_height", "2"}, {"sensor_flag", "12"}}},
        {{2, 1, 0}, {{"liftoff_height", "2"}, {"sensor_flag", "8"}}},
        {{7, 0, 0}, {{"sensor_flag", "0"}}},  // lift-off 7 is no distance
        {{0, 1, 0}, {{"sensor_flag", "8"}}},
        {{1, 0xFF, 0xFF}, {{"liftoff_height", "1"}}},  // every bit set: no flag is trusted
        {{2, 1, 2}, {{"liftoff_height", "2"}}},
    };
    for (const auto& c : cases) {
        Bytes reply = Reply(0x16, {});
        std::copy(c.payload.begin(), c.payload.end(), reply.begin() + 4);
        EXPECT_EQ(AsMap(LiftSensorRows(DecodeLiftSensorReply(reply))), c.keys);
    }
}

TEST(PowerReplyTest, FourKeysEachInRange) {
    EXPECT_EQ(AsMap(PowerRows(DecodePowerReply(Reply(0x17, {30, 1, 0, 8})))),
              (Keys{{"sleep_light", "30"},
                    {"move_wakeup", "1"},
                    {"move_closelight", "0"},
                    {"button_respondtime", "8"}}));
    EXPECT_EQ(AsMap(PowerRows(DecodePowerReply(Reply(0x17, {255, 2, 0xFF, 21})))),
              (Keys{{"sleep_light", "255"}}));
    EXPECT_EQ(AsMap(PowerRows(DecodePowerReply(Reply(0x17, {0, 0, 1, 20})))),
              (Keys{{"sleep_light", "0"},
                    {"move_wakeup", "0"},
                    {"move_closelight", "1"},
                    {"button_respondtime", "20"}}));
}

TEST(FirmwareReplyTest, VersionText) {
    EXPECT_EQ(DecodeFirmwareVersionReply(Reply(0x20, {1, 5})), "105");
    EXPECT_EQ(DecodeFirmwareVersionReply(Reply(0x20, {0x12, 0x05})), "1205");
}

TEST(ReplyTest, ShortRepliesReadMissingBytesAsZero) {
    const uint8_t two_bytes[2] = {0x13, 0x00};
    const auto stages = DecodeDpiStagesReply(two_bytes, 0);
    EXPECT_EQ(stages.stage, std::nullopt);
    EXPECT_EQ(stages.values[5], 50);
    EXPECT_TRUE(ReportRateRows(DecodeReportRateReply(two_bytes)).empty());
    EXPECT_EQ(DecodeFirmwareVersionReply({}), "000");
}

}  // namespace
}  // namespace mousedeck::protocol::test
