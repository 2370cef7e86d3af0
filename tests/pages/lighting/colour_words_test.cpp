#include "pages/lighting/colour_words.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace mousedeck::pages::lighting {
namespace {

TEST(ColourWords, TextIsRedGreenBlueOfTheStoredLayout) {
    const struct {
        int colour;  // 0x00BBGGRR
        std::string text;
    } cases[] = {
        {0x0000FF, "#FF0000"}, {0x00FF00, "#00FF00"}, {0xFF0000, "#0000FF"}, {0x20A3FF, "#FFA320"},
        {0x0080FF, "#FF8000"}, {0, "#000000"},        {0xFFFFFF, "#FFFFFF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HexColourText(c.colour), c.text) << std::hex << c.colour;
        EXPECT_EQ(ParseHexColour(c.text).value, c.colour) << c.text;
    }
    // Stored values out of range still print three bytes.
    EXPECT_EQ(HexColourText(0x1FFFFFF), "#FFFFFF");
    EXPECT_EQ(HexColourText(-1), "#FFFFFF");
}

TEST(ColourWords, OnlySixHexDigitsWithAnOptionalNumberSign) {
    const struct {
        std::string text;
        std::optional<int> colour;
    } cases[] = {
        {"ff8000", 0x0080FF},       {"#a020F0", 0xF020A0},      {"#000001", 0x010000},
        {"", std::nullopt},         {"#", std::nullopt},        {"#FFF", std::nullopt},
        {"#FF00000", std::nullopt}, {"#GG0000", std::nullopt},  {"0xFF0000", std::nullopt},
        {" #FF0000", std::nullopt}, {"##FF0000", std::nullopt}, {"#FF 000", std::nullopt},
        {"red", std::nullopt},      {"#-10000", std::nullopt},  {"+F0000", std::nullopt},
        {"0x00FF", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto colour = ParseHexColour(c.text);
        EXPECT_EQ(colour.value, c.colour) << "'" << c.text << "'";
        EXPECT_EQ(colour.error.empty(), colour.value.has_value());
    }
    EXPECT_EQ(ParseHexColour("#FFF").error, "colour '#FFF' is not written #RRGGBB (six hexadecimal digits)");
}

TEST(ColourWords, ComponentFieldsAreBoundedAndRewrittenOnlyWhenBounded) {
    const struct {
        std::string text;
        ColourComponent component;
    } cases[] = {
        {"128", {128, false}}, {"255", {255, false}}, {"0", {0, false}},
        {"300", {255, true}},  {"-5", {0, true}},     {"abc", {0, false}},
        {"", {0, false}},      {"12ab", {12, false}}, {"99999999999", {255, true}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadColourComponent(c.text), c.component) << "'" << c.text << "'";
    }
}

}  // namespace
}  // namespace mousedeck::pages::lighting
