#include <gtest/gtest.h>

#include "protocol/dpi_codec.h"
#include "protocol/sensor_limits.h"

namespace mousedeck::protocol {
namespace {

struct DpiCase {
    int sensor;
    int dpi;
    uint16_t code;
};

TEST(DpiCodecTest, WriteTablePerSensor) {
    const DpiCase cases[] = {
        {4, 800, 8},      {16, 4800, 48},    {18, 150, 1},     {53, 16000, 160}, {5, 6400, 128},
        {5, 6500, 129},   {5, 12000, 184},   {5, 50, 1},       {17, 10000, 200}, {17, 10100, 201},
        {17, 12000, 220}, {17, 13000, 221},  {17, 24000, 232}, {17, 50, 1},      {25, 100, 0},
        {25, 16000, 159}, {25, 17000, 161},  {25, 30000, 174}, {37, 5000, 50},   {37, 5500, 51},
        {37, 10000, 60},  {38, 200, 1},      {38, 5000, 49},   {38, 5500, 51},   {149, 1600, 31},
        {150, 1600, 31},  {150, 38000, 759}, {0, 800, 15},     {99, 26000, 519}, {0, 50, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeDpi(c.sensor, c.dpi), c.code) << "sensor " << c.sensor << " dpi " << c.dpi;
    }
}

TEST(DpiCodecTest, ReadTablePerSensor) {
    const DpiCase cases[] = {
        {4, 8000, 80},    {53, 100, 1},     {5, 6400, 128},   {5, 6500, 129},   {5, 12000, 184},
        {17, 9950, 199},  {17, 10000, 200}, {17, 12000, 220}, {17, 13000, 221}, {17, 24000, 232},
        {25, 15900, 159}, {25, 16000, 160}, {25, 30000, 174}, {37, 4900, 49},   {37, 5000, 50},
        {38, 4900, 49},   {38, 5500, 50},   {38, 6000, 51},   {149, 1600, 31},  {150, 1550, 31},
        {0, 800, 15},     {200, 50, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeDpi(c.sensor, c.code), c.dpi) << "sensor " << c.sensor << " code " << c.code;
    }
}

// The two directions are tabled separately; for 25, 38 and 150 a sent code
// reads back as another value, and that stays so.
TEST(DpiCodecTest, NonInversePairsStayAsTabled) {
    EXPECT_EQ(DecodeDpi(150, EncodeDpi(150, 1600)), 1550);
    EXPECT_EQ(DecodeDpi(25, EncodeDpi(25, 1600)), 1500);
    EXPECT_EQ(DecodeDpi(38, EncodeDpi(38, 4000)), 3900);
    EXPECT_EQ(DecodeDpi(38, EncodeDpi(38, 6000)), 6500);
    // The others read back what they sent on their step grid.
    for (int sensor : {4, 5, 17, 37, 149, 0}) {
        const int value = sensor == 4 ? 3200 : 1600;
        EXPECT_EQ(DecodeDpi(sensor, EncodeDpi(sensor, value)), value) << sensor;
    }
}

// Sensor 17 has no codes between 12000 (220) and 13000 (221). A request in
// between is sent as 12000, never as a code the mouse reads as 13000-21000.
TEST(DpiCodecTest, Sensor17GapEncodesTheHighestValueNotAbove) {
    for (int dpi : {12001, 12100, 12500, 12900, 12999}) {
        EXPECT_EQ(EncodeDpi(17, dpi), 220) << dpi;
        EXPECT_LE(DecodeDpi(17, EncodeDpi(17, dpi)), dpi) << dpi;
    }
    EXPECT_EQ(EncodeDpi(17, 11900), 219);
    EXPECT_EQ(EncodeDpi(17, 13000), 221);
    EXPECT_EQ(EncodeDpi(17, 13999), 221);
}

TEST(DpiCodecTest, ExtremeValuesStayInSixteenBits) {
    EXPECT_EQ(EncodeDpi(0, -500), 0);
    EXPECT_EQ(EncodeDpi(25, 0), 0);
    EXPECT_EQ(EncodeDpi(4, 2'000'000'000), 0xFFFF);
    EXPECT_EQ(DecodeDpi(0, 0xFFFF), 65536 * 50);
    EXPECT_EQ(DecodeDpi(17, 0xFFFF), (65535 - 208) * 1000);
}

TEST(SensorLimitsTest, RangesAndClamping) {
    const struct {
        int sensor, min, max, positions;
    } rows[] = {{4, 100, 8000, 80},    {5, 50, 12000, 184},    {16, 100, 4800, 48},    {17, 50, 24000, 232},
                {18, 100, 4800, 48},   {25, 100, 30000, 173},  {37, 100, 10000, 60},   {38, 200, 10000, 59},
                {53, 100, 16000, 160}, {149, 100, 26000, 520}, {150, 100, 38000, 640}, {0, 50, 26000, 520},
                {1000, 50, 26000, 520}};
    for (const auto& r : rows) {
        const SensorLimits limits = LimitsOf(r.sensor);
        EXPECT_EQ(limits.min_dpi, r.min) << r.sensor;
        EXPECT_EQ(limits.max_dpi, r.max) << r.sensor;
        EXPECT_EQ(limits.slider_positions, r.positions) << r.sensor;
        EXPECT_EQ(ClampDpi(r.sensor, -1), r.min) << r.sensor;
        EXPECT_EQ(ClampDpi(r.sensor, 40000), r.max) << r.sensor;
    }
    EXPECT_EQ(LimitsOf(149).slider_offset, 2);
    EXPECT_EQ(LimitsOf(150).slider_offset, 2);
    EXPECT_EQ(LimitsOf(17).slider_offset, std::nullopt);
    EXPECT_EQ(LimitsOf(150).max_caption, "32000");
    EXPECT_EQ(LimitsOf(38).min_caption, "200");
    EXPECT_TRUE(IsKnownSensor(53));
    EXPECT_FALSE(IsKnownSensor(0));
}

// What a stored stage value becomes on the wire: clamped, then encoded.
TEST(DpiCodecTest, StageValuesAreClampedToTheSensorBeforeEncoding) {
    const DpiCase cases[] = {
        {17, 40000, 232},   // above 24000: the code of 24000
        {17, 0, 1},         // below 50: the code of 50
        {0, 40000, 519},    // unlisted: 26000
        {0, 0, 0},          // unlisted: 50
        {4, 12345, 80},     // 8000
        {38, 100, 1},       // 200
        {150, 40000, 759},  // 38000
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeStageDpi(c.sensor, c.dpi), c.code) << "sensor " << c.sensor << " dpi " << c.dpi;
    }
}

}  // namespace
}  // namespace mousedeck::protocol
