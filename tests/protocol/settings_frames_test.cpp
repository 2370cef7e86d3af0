#include <gtest/gtest.h>

#include "frame_bytes.h"
#include "protocol/settings_frames.h"

namespace mousedeck::protocol::test {
namespace {

TEST(ReportRateFrameTest, ThousandHertzIsTheWholeReportWithItsChecksum) {
    const auto out = BuildReportRateFrame(1);
    ASSERT_TRUE(out);
    Bytes expected(65, 0);
    expected[1] = 0x02;
    expected[3] = 0x01;
    expected[4] = 0x01;
    expected[5] = 0x01;
    expected[32] = 0x01;
    EXPECT_EQ(Written(*out), expected);
}

TEST(ReportRateFrameTest, EveryRateCodeAndNothingForOthers) {
    for (uint8_t code : {0x08, 0x04, 0x02, 0x01, 0x10, 0x20, 0x40}) {
        const auto out = BuildReportRateFrame(code);
        ASSERT_TRUE(out) << int(code);
        EXPECT_EQ(Written(*out), Request(0x02, 0x01, 1, {code}, 65)) << int(code);
    }
    for (int code : {0, 3, 0x80, 257, -1}) {
        EXPECT_FALSE(BuildReportRateFrame(code)) << code;
    }
}

TEST(PowerFrameTest, SleepWakeLightAndDebounce) {
    const Bytes written = Written(BuildPowerFrame({30, 1, 1, 8}));
    ASSERT_EQ(written.size(), 65u);
    EXPECT_EQ(Bytes(written.begin() + 1, written.begin() + 9),
              (Bytes{0x07, 0x00, 0x01, 0x04, 0x1E, 0x01, 0x01, 0x08}));
    EXPECT_EQ(written[32], 0x28);

    // Stored values out of their range never leave their byte's meaning.
    const struct {
        PowerSettings stored;
        Bytes payload;
    } cases[] = {
        {{60, 0, 1, 20}, {60, 0, 1, 20}},
        {{300, 2, -1, 35}, {255, 0, 0, 20}},
        {{-5, 1, 7, -3}, {0, 1, 0, 0}},
        {{0, 0, 0, 0}, {0, 0, 0, 0}},  // empty or non-numeric keys read as 0
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Written(BuildPowerFrame(c.stored)), Request(0x07, 0x01, 4, c.payload, 65));
    }
}

TEST(DpiStagesFrameTest, StageByteAndSixDoubledCodes) {
    const DpiStageSettings stored{3, 2, {400, 800, 1600, 12500, 40000, 0}};
    // Sensor 17: 8, 16, 32, 220 (12500 falls into the gap), 232 (24000), 1 (50).
    const Bytes payload = {0x23, 8, 0,   8, 0,   16, 0,   16, 0, 32, 0, 32, 0,
                           220,  0, 220, 0, 232, 0,  232, 0,  1, 0,  1, 0};
    EXPECT_EQ(Written(BuildDpiStagesFrame(stored, 17)), Request(0x03, 0x01, 0x25, payload, 33));
}

TEST(DpiStagesFrameTest, CodesPerSensorLittleEndian) {
    const struct {
        int sensor;
        int dpi;
        uint8_t low, high;
    } cases[] = {{0, 800, 15, 0},     {149, 26000, 0x07, 0x02}, {150, 38000, 0xF7, 0x02},
                 {25, 30000, 174, 0}, {37, 10000, 60, 0},       {38, 5000, 49, 0}};
    for (const auto& c : cases) {
        const DpiStageSettings stored{1, 0, {c.dpi, c.dpi, c.dpi, c.dpi, c.dpi, c.dpi}};
        Bytes payload{0x01};
        for (int i = 0; i < 24; ++i) {  // six stages, each code twice
            payload.push_back(i % 2 == 0 ? c.low : c.high);
        }
        EXPECT_EQ(Written(BuildDpiStagesFrame(stored, c.sensor)), Request(0x03, 0x01, 0x25, payload, 33))
            << "sensor " << c.sensor;
    }
}

TEST(DpiStagesFrameTest, StoredCountAndIndexOutOfRange) {
    const struct {
        int count, index;
        uint8_t stage_byte;
    } cases[] = {{0, 0, 0x01}, {15, 2, 0x26}, {3, 5, 0x03}, {6, -1, 0x06}};
    for (const auto& c : cases) {
        const auto out = BuildDpiStagesFrame({c.count, c.index, {800, 800, 800, 800, 800, 800}}, 0);
        EXPECT_EQ(out.frame[5], c.stage_byte) << c.count << "/" << c.index;
    }
}

TEST(DpiColoursFrameTest, RedGreenBluePerStage) {
    const DpiColours colours = {0x0000FF, 0xFF0000, 0x00FF00, 0x20A3FF, 0, 0xFFFFFF};
    const Bytes payload = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0xA3, 0x20, 0, 0, 0, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(Written(BuildDpiColoursFrame(colours)), Request(0x04, 0x01, 18, payload, 65));
}

TEST(LiftSensorFrameTest, LiftOffAndTheTwoSensorBits) {
    const struct {
        LiftSensorSettings stored;
        Bytes payload;
    } cases[] = {
        {{1, 53}, {1, 0, 1, 0, 0}},  // bits 1, 4, 16, 32: only bit 4 travels
        {{2, 8}, {2, 1, 0, 0, 0}},  {{2, 12}, {2, 1, 1, 0, 0}},
        {{1, 16}, {1, 0, 0, 0, 0}}, {{0, 0}, {1, 0, 0, 0, 0}},  // a lift-off that is not 2 is 1
        {{7, -1}, {1, 1, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Written(BuildLiftSensorFrame(c.stored)), Request(0x06, 0x01, 5, c.payload, 65))
            << c.stored.liftoff_height << "/" << c.stored.sensor_flag;
    }
}

TEST(FixedFramesTest, FactoryResetAndReads) {
    EXPECT_EQ(Written(BuildFactoryResetFrame()), Request(0x0F, 0x01, 1, {0xFF}, 33));
    for (Command read :
         {Command::kIdentity, Command::kBeginReadBack, Command::kReadReportRate, Command::kReadDpiStages,
          Command::kReadDpiColours, Command::kReadLighting, Command::kReadLiftSensor,
          Command::kReadPowerDebounce, Command::kReadFirmwareVersion}) {
        const auto out = BuildReadFrame(read);
        ASSERT_TRUE(out);
        EXPECT_EQ(Written(*out), Request(CodeOf(read), 0x00, 0x00, {}, 33)) << int(CodeOf(read));
    }
    EXPECT_FALSE(BuildReadFrame(Command::kSetReportRate));
    EXPECT_FALSE(BuildReadFrame(Command::kFactoryReset));
}

}  // namespace
}  // namespace mousedeck::protocol::test
