#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "pages/performance/lift_sensor.h"
#include "pages/performance/power_settings.h"
#include "pages/performance/report_rates.h"

namespace mousedeck::pages::performance {
namespace {

std::vector<int> RatesOf(int capability) {
    std::vector<int> hz;
    for (const ReportRateChoice& choice : ReportRateChoices(capability)) {
        hz.push_back(choice.hz);
    }
    return hz;
}

TEST(ReportRates, SevenRatesOnlyForCapabilitySeven) {
    const std::vector<int> four = {125, 250, 500, 1000};
    EXPECT_EQ(RatesOf(7), (std::vector<int>{125, 250, 500, 1000, 2000, 4000, 8000}));
    for (const int capability : {4, 5, 6, 0, 8, -1}) {
        EXPECT_EQ(RatesOf(capability), four) << capability;
    }
    EXPECT_EQ(ReportRateChoices(7)[4], (ReportRateChoice{2000, 0x10, 0xC9012B}));
}

TEST(ReportRates, WordsGiveTheCodeOfAnOfferedRate) {
    const struct {
        std::string word;
        int capability;
        std::optional<int> code;
    } cases[] = {
        {"125", 4, 0x08},
        {"250", 4, 0x04},
        {"500Hz", 4, 0x02},
        {"1000hz", 4, 0x01},
        {"2000", 7, 0x10},
        {"4000", 7, 0x20},
        {"8000HZ", 7, 0x40},
        // A 4000 Hz mouse (capability 6) is offered four rates.
        {"4000", 6, std::nullopt},
        {"2000", 5, std::nullopt},
        {"8000", 4, std::nullopt},
        {"300", 7, std::nullopt},
        {"1", 4, std::nullopt},
        {"", 4, std::nullopt},
        {"1000 Hz", 4, std::nullopt},
    };
    for (const auto& c : cases) {
        const Normalised<int> result = ParseReportRate(c.word, c.capability);
        EXPECT_EQ(result.value, c.code) << "'" << c.word << "' with capability " << c.capability;
    }
    EXPECT_EQ(ParseReportRate("8000", 4).error,
              "report rate '8000' is not offered by this mouse; it offers 125|250|500|1000");
}

TEST(ReportRates, ShownRateIsNoneForACodeNotOffered) {
    EXPECT_EQ(ShownReportRate(0x01, 4), 1000);
    EXPECT_EQ(ShownReportRate(0x10, 7), 2000);
    EXPECT_EQ(ShownReportRate(0x10, 4), std::nullopt);
    EXPECT_EQ(ShownReportRate(0, 7), std::nullopt);
    EXPECT_EQ(ShownReportRate(3, 7), std::nullopt);
}

TEST(LiftOff, OneOrTwoMillimetres) {
    const struct {
        std::string word;
        std::optional<int> height;
    } cases[] = {
        {"1", 1},
        {"2", 2},
        {"2.0", 2},
        {"1mm", 1},
        {"2.0MM", 2},
        {"0", std::nullopt},
        {"3", std::nullopt},
        {"1.5", std::nullopt},
        {"", std::nullopt},
        {"two", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseLiftOff(c.word).value, c.height) << "'" << c.word << "'";
    }
    // The radio buttons show 2.0 mm only for the text "2".
    EXPECT_EQ(ShownLiftOff("2"), 2);
    EXPECT_EQ(ShownLiftOff("2.0"), 1);
    EXPECT_EQ(ShownLiftOff(" 2"), 1);
    EXPECT_EQ(ShownLiftOff("1"), 1);
    EXPECT_EQ(ShownLiftOff(""), 1);
}

TEST(SensorOptions, PageOrderIsBitsFourEightSixteen) {
    const struct {
        SensorOptions options;
        int flags;
    } cases[] = {
        {{false, false, false}, 0}, {{true, false, false}, 4}, {{false, true, false}, 8},
        {{false, false, true}, 16}, {{true, true, true}, 28},  {{true, false, true}, 20},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SensorFlagOf(c.options), c.flags);
        EXPECT_EQ(SensorOptionsOf(c.flags), c.options) << c.flags;
    }
    // The seed value 53 (bits 32, 16, 4, 1) shows the first and third boxes.
    EXPECT_EQ(SensorOptionsOf(53), (SensorOptions{true, false, true}));

    using Words = std::vector<std::string>;
    EXPECT_EQ(ParseSensorOptions(Words{"off", "off", "on"}).value, 16);
    EXPECT_EQ(ParseSensorOptions(Words{"ON", "on", "off"}).value, 12);
    EXPECT_FALSE(ParseSensorOptions(Words{"on", "off"}));
    EXPECT_FALSE(ParseSensorOptions(Words{"on", "off", "on", "on"}));
    const Normalised<int> wrong = ParseSensorOptions(Words{"on", "maybe", "off"});
    EXPECT_FALSE(wrong);
    EXPECT_NE(wrong.error.find("'maybe'"), std::string::npos) << wrong.error;
}

TEST(SleepTime, MinutesOfferedAndTheirUnits) {
    const struct {
        std::string word;
        std::optional<int> units;
    } cases[] = {
        {"1", 6},
        {"2", 12},
        {"5", 30},
        {"6", 36},
        {"10", 60},
        {"20min", 120},
        {"30MIN", 180},
        {"3", std::nullopt},
        {"0", std::nullopt},
        {"60", std::nullopt},
        {"", std::nullopt},
        {"10 min", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseSleepMinutes(c.word).value, c.units) << "'" << c.word << "'";
    }
    EXPECT_EQ(ParseSleepMinutes("3").error,
              "sleep time '3' is not offered; it takes 1|2|5|6|10|20|30 (minutes)");
    for (const SleepChoice& choice : SleepChoices()) {
        EXPECT_EQ(ShownSleepMinutes(choice.units), choice.minutes);
        EXPECT_EQ(choice.units, choice.minutes * 6);
    }
    EXPECT_EQ(SleepChoices().size(), 7u);
    EXPECT_EQ(ShownSleepMinutes(7), std::nullopt);
    EXPECT_EQ(ShownSleepMinutes(0), std::nullopt);
}

TEST(Debounce, AnyNumberIsBoundedToTwentyMilliseconds) {
    const struct {
        std::string word;
        std::optional<int> ms;
    } cases[] = {
        {"0", 0},
        {"8", 8},
        {"20", 20},
        {"35", 20},
        {"-4", 0},
        {"99999999999", 20},
        {"", std::nullopt},
        {"fast", std::nullopt},
        {"8ms", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDebounce(c.word).value, c.ms) << "'" << c.word << "'";
    }
    EXPECT_NE(ParseDebounce("fast").error.find("0-20"), std::string::npos);
}

TEST(PowerSwitches, OnOffWordsAndWhatIsShownChecked) {
    EXPECT_EQ(ParseOnOff("on", "wake-on-move").value, true);
    EXPECT_EQ(ParseOnOff("Off", "wake-on-move").value, false);
    EXPECT_EQ(ParseOnOff("sometimes", "wake-on-move").error, "wake-on-move takes on or off, not 'sometimes'");
    EXPECT_TRUE(ShownChecked(1));
    EXPECT_FALSE(ShownChecked(0));
    EXPECT_FALSE(ShownChecked(2));
}

}  // namespace
}  // namespace mousedeck::pages::performance
