#include "pages/performance/dpi_slider.h"

#include <gtest/gtest.h>

#include "protocol/sensor_limits.h"

namespace mousedeck::pages::performance {
namespace {

constexpr int kSensorCodes[] = {4, 16, 18, 53, 5, 17, 25, 37, 38, 149, 150, 0, 99};

TEST(DpiSlider, ValueOfAPositionPerSensor) {
    const struct {
        int sensor;
        int position;
        int value;
    } cases[] = {
        {4, 80, 8000},
        {4, 16, 1600},
        {4, 0, 100},
        {4, 500, 8000},
        {4, -3, 100},
        {16, 48, 4800},
        {18, 1, 100},
        {53, 160, 16000},
        {53, 0, 100},
        {5, 1, 50},
        {5, 128, 6400},
        {5, 129, 6500},
        {5, 184, 12000},
        {17, 200, 10000},
        {17, 201, 10100},
        {17, 220, 12000},
        {17, 221, 13000},
        {17, 232, 24000},
        {25, 159, 15900},
        {25, 160, 16000},
        {25, 161, 17000},
        {25, 173, 29000},
        {25, 0, 100},
        {37, 50, 5000},
        {37, 51, 5500},
        {37, 53, 6500},
        {37, 60, 10000},
        {37, 0, 100},
        {38, 0, 200},
        {38, 1, 200},
        {38, 49, 5000},
        {38, 50, 5500},
        {38, 59, 10000},
        // 149 and 150 count from position + 2 and stop at 26000.
        {149, 0, 100},
        {149, 14, 800},
        {149, 518, 26000},
        {149, 520, 26000},
        {150, 0, 100},
        {150, 640, 26000},
        {0, 0, 50},
        {0, 32, 1600},
        {0, 520, 26000},
        {99, 1, 50},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SliderValue(c.sensor, c.position), c.value)
            << "sensor " << c.sensor << ", position " << c.position;
    }
}

TEST(DpiSlider, PositionOfAValuePerSensor) {
    const struct {
        int sensor;
        int value;
        int position;
    } cases[] = {
        {4, 1600, 16},    {4, 1650, 16},  {4, 8000, 80},    {4, 30000, 80},   {4, 0, 0},
        {5, 6400, 128},   {5, 6450, 128}, {5, 6500, 129},   {17, 10100, 201}, {17, 12500, 220},
        {17, 13000, 221}, {25, 1600, 16}, {25, 17000, 161}, {37, 6500, 53},   {37, 6700, 53},
        {38, 200, 1},     {38, 5000, 49}, {38, 5500, 50},   {149, 800, 14},   {150, 100, 0},
        {0, 1600, 32},    {0, 25, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SliderPosition(c.sensor, c.value), c.position)
            << "sensor " << c.sensor << ", value " << c.value;
    }
}

TEST(DpiSlider, EveryValueOnTheSliderReadsBackWhereItIsShown) {
    for (const int sensor : kSensorCodes) {
        const DpiSlider slider = SliderOf(sensor);
        const protocol::SensorLimits limits = protocol::LimitsOf(sensor);
        int previous = 0;
        for (int position = 0; position <= slider.positions; ++position) {
            const int value = SliderValue(sensor, position);
            ASSERT_GE(value, previous) << "sensor " << sensor << ", position " << position;
            ASSERT_GE(value, limits.min_dpi) << "sensor " << sensor << ", position " << position;
            ASSERT_LE(value, limits.max_dpi) << "sensor " << sensor << ", position " << position;
            ASSERT_EQ(SliderValue(sensor, SliderPosition(sensor, value)), value)
                << "sensor " << sensor << ", position " << position;
            previous = value;
        }
    }
}

TEST(DpiSlider, OffsetAndCaptionsBelongToTheSensor) {
    EXPECT_EQ(SliderOf(150), (DpiSlider{640, 2, "100", "32000"}));
    EXPECT_EQ(SliderOf(149), (DpiSlider{520, 2, "100", "26000"}));
    EXPECT_EQ(SliderOf(4), (DpiSlider{80, 0, "100", "8000"}));
    EXPECT_EQ(SliderOf(0), (DpiSlider{520, 0, "50", "26000"}));
    // A mouse with sensor 4 after one with 150: position 16 is still 1600,
    // not the 1800 an inherited offset would give.
    EXPECT_EQ(SliderValue(150, 16), 900);
    EXPECT_EQ(SliderValue(4, 16), 1600);
}

}  // namespace
}  // namespace mousedeck::pages::performance
