#include "pages/performance/value_words.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace mousedeck::pages::performance {
namespace {

TEST(ParseWholeNumber, TakesSignedDigitsOnlyAndSaturates) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    const struct {
        std::string word;
        std::optional<int> number;
    } cases[] = {
        {"0", 0},
        {"1600", 1600},
        {"+20", 20},
        {"-5", -5},
        {"007", 7},
        {"2147483647", kMax},
        {"2147483648", kMax},
        {"99999999999999999999999", kMax},
        {"-2147483648", kMin},
        {"-99999999999999999999999", kMin},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"12ab", std::nullopt},
        {" 12", std::nullopt},
        {"12 ", std::nullopt},
        {"1.5", std::nullopt},
        {"0x10", std::nullopt},
        {"--1", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseWholeNumber(c.word), c.number) << "'" << c.word << "'";
    }
}

TEST(ParseSwitch, KnowsTheUsualWordsInAnyCase) {
    const struct {
        std::string word;
        std::optional<bool> on;
    } cases[] = {
        {"on", true},          {"OFF", false},      {"On", true},        {"1", true},      {"0", false},
        {"yes", true},         {"no", false},       {"TRUE", true},      {"false", false}, {"", std::nullopt},
        {"onn", std::nullopt}, {"2", std::nullopt}, {"o", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseSwitch(c.word), c.on) << "'" << c.word << "'";
    }
}

TEST(SameWordWithUnit, AcceptsTheBareWordOrTheUnitInAnyCase) {
    EXPECT_TRUE(SameWordWithUnit("1000", "1000", "Hz"));
    EXPECT_TRUE(SameWordWithUnit("1000hz", "1000", "Hz"));
    EXPECT_TRUE(SameWordWithUnit("1000HZ", "1000", "Hz"));
    EXPECT_FALSE(SameWordWithUnit("1000 Hz", "1000", "Hz"));
    EXPECT_FALSE(SameWordWithUnit("100Hz", "1000", "Hz"));
    EXPECT_FALSE(SameWordWithUnit("1000Hzz", "1000", "Hz"));
    EXPECT_FALSE(SameWordWithUnit("Hz", "1000", "Hz"));
}

}  // namespace
}  // namespace mousedeck::pages::performance
