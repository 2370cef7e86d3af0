#include "pages/performance/dpi_values.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "protocol/sensor_limits.h"

namespace mousedeck::pages::performance {
namespace {

// Every family of sensor codes, with codes that share a row listed apart
// where the row could be mistaken for another.
constexpr int kSensorCodes[] = {4, 16, 18, 53, 5, 17, 25, 37, 38, 149, 150, 0, 99};

TEST(NormaliseTypedDpi, StepsAndBoundsPerSensor) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    const struct {
        int sensor;
        int typed;
        int stored;
    } cases[] = {
        {4, 12345, 8000},
        {4, 150, 100},
        {4, 99, 100},
        {4, 1650, 1600},
        {4, 8099, 8000},
        {4, -5, 100},
        {4, kMax, 8000},
        {4, kMin, 100},
        {16, 5000, 4800},
        {16, 4850, 4800},
        {16, 150, 100},
        {18, 4801, 4800},
        {18, 0, 100},
        {53, 16099, 16000},
        {53, 1234, 1200},
        {53, 20000, 16000},
        // 5 and 17 step by 50 over their whole range.
        {5, 49, 50},
        {5, 75, 50},
        {5, 6475, 6450},
        {5, 12345, 12000},
        {17, 49, 50},
        {17, 12575, 12550},
        {17, 24049, 24000},
        {17, 30000, 24000},
        // 37: hundreds up to 5000, thousands above.
        {37, 6700, 6000},
        {37, 99, 100},
        {37, -3, 100},
        {37, 4999, 4900},
        {37, 5000, 5000},
        {37, 5999, 5000},
        {37, 10999, 10000},
        {37, kMax, 10000},
        // 38 starts at 200.
        {38, 150, 200},
        {38, 250, 200},
        {38, 5150, 5100},
        {38, 10500, 10000},
        // 25, 149 and 150 never go below their sensor's 100, and typing stops at 26000.
        {25, 50, 100},
        {25, 1650, 1650},
        {25, 28000, 26000},
        {149, 60, 100},
        {149, 1675, 1650},
        {149, 30000, 26000},
        {150, 75, 100},
        {150, 25999, 25950},
        {150, 32000, 26000},
        // Codes without a row of their own.
        {0, 75, 50},
        {0, 49, 50},
        {0, 1675, 1650},
        {0, 30000, 26000},
        {99, 26049, 26000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NormaliseTypedDpi(c.sensor, c.typed), c.stored)
            << "sensor " << c.sensor << ", typed " << c.typed;
    }
}

TEST(NormaliseTypedDpi, StoresOnlyValuesTheSensorIsSentAndKeepsThem) {
    for (const int sensor : kSensorCodes) {
        const protocol::SensorLimits limits = protocol::LimitsOf(sensor);
        const DpiRange range = TypedDpiRange(sensor);
        EXPECT_GE(range.min, limits.min_dpi) << "sensor " << sensor;
        EXPECT_LE(range.max, limits.max_dpi) << "sensor " << sensor;
        for (int typed = -200; typed <= 40000; typed += 7) {
            const int stored = NormaliseTypedDpi(sensor, typed);
            ASSERT_GE(stored, range.min) << "sensor " << sensor << ", typed " << typed;
            ASSERT_LE(stored, range.max) << "sensor " << sensor << ", typed " << typed;
            // The field is rewritten with the stored value: reading it again changes nothing.
            ASSERT_EQ(NormaliseTypedDpi(sensor, stored), stored)
                << "sensor " << sensor << ", typed " << typed;
        }
    }
}

TEST(NormaliseTypedDpi, TextMustBeAWholeNumber) {
    EXPECT_EQ(NormaliseTypedDpi(4, "12345").value, 8000);
    EXPECT_EQ(NormaliseTypedDpi(37, "+6700").value, 6000);
    EXPECT_EQ(NormaliseTypedDpi(4, "99999999999999").value, 8000);
    for (const std::string text : {"", "abc", "16OO", " 800", "800dpi", "1e3"}) {
        const Normalised<int> result = NormaliseTypedDpi(4, text);
        EXPECT_FALSE(result) << "'" << text << "'";
        EXPECT_NE(result.error.find("100-8000"), std::string::npos) << result.error;
    }
}

TEST(DpiStages, WordsNumberStagesFromOne) {
    const struct {
        std::string word;
        int stage_count;
        std::optional<int> any_stage;  // ParseStageNumber: the index
        std::optional<int> active;     // ParseActiveStage with stage_count: the index
        std::optional<int> count;      // ParseStageCount
    } cases[] = {
        {"1", 6, 0, 0, 1},
        {"3", 3, 2, 2, 3},
        {"4", 3, 3, std::nullopt, 4},
        {"6", 6, 5, 5, 6},
        {"6", 1, 5, std::nullopt, 6},
        {"1", 1, 0, 0, 1},
        // A stored count the page cannot show leaves six stages listed.
        {"6", 0, 5, 5, 6},
        {"6", 9, 5, 5, 6},
        {"0", 6, std::nullopt, std::nullopt, std::nullopt},
        {"7", 6, std::nullopt, std::nullopt, std::nullopt},
        {"-1", 6, std::nullopt, std::nullopt, std::nullopt},
        {"two", 6, std::nullopt, std::nullopt, std::nullopt},
        {"", 6, std::nullopt, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("'" + c.word + "' of " + std::to_string(c.stage_count));
        const Normalised<int> any = ParseStageNumber(c.word);
        const Normalised<int> active = ParseActiveStage(c.word, c.stage_count);
        const Normalised<int> count = ParseStageCount(c.word);
        EXPECT_EQ(any.value, c.any_stage);
        EXPECT_EQ(active.value, c.active);
        EXPECT_EQ(count.value, c.count);
        EXPECT_EQ(any.error.empty(), any.value.has_value());
        EXPECT_EQ(active.error.empty(), active.value.has_value());
        EXPECT_EQ(count.error.empty(), count.value.has_value());
    }
    EXPECT_EQ(ParseActiveStage("4", 3).error, "stage '4' is not one of 1-3 (the profile has 3 stages)");
    EXPECT_EQ(ParseActiveStage("2", 1).error, "stage '2' is not one of 1 (the profile has 1 stage)");
}

TEST(DpiStages, ShownCountAndActiveStage) {
    const struct {
        int stored_count;
        int stored_index;
        int shown_count;
        int shown_index;
    } cases[] = {
        {6, 1, 6, 1},  {3, 2, 3, 2}, {3, 5, 3, 0}, {1, 0, 1, 0},
        {4, -1, 4, 0}, {0, 5, 6, 5}, {7, 2, 6, 2}, {-2, 6, 6, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.stored_count) + " stages, index " + std::to_string(c.stored_index));
        const int count = ShownStageCount(c.stored_count);
        EXPECT_EQ(count, c.shown_count);
        EXPECT_EQ(ShownActiveStage(c.stored_index, count), c.shown_index);
    }
}

TEST(DpiStages, LoweringTheCountMovesOnlyAStageBeyondIt) {
    const struct {
        int index;
        int count;
        int active;
    } cases[] = {{5, 3, 2}, {2, 3, 2}, {0, 1, 0}, {3, 1, 0}, {1, 6, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(ActiveStageAfterCount(c.index, c.count), c.active) << c.index << " of " << c.count;
    }
}

TEST(DpiStages, StageColourIsAnyColourButBlack) {
    EXPECT_EQ(NormaliseStageColour(0x0000FF).value, 0x0000FF);
    EXPECT_EQ(NormaliseStageColour(0x000001).value, 0x000001);
    EXPECT_EQ(NormaliseStageColour(0xFFFFFF).value, 0xFFFFFF);
    for (const int colour : {0, -1, 0x1000000}) {
        const Normalised<int> result = NormaliseStageColour(colour);
        EXPECT_FALSE(result) << colour;
        EXPECT_FALSE(result.error.empty());
    }
}

}  // namespace
}  // namespace mousedeck::pages::performance
