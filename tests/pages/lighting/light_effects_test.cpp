#include "pages/lighting/light_effects.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "protocol/lighting_rows.h"

namespace mousedeck::pages::lighting {
namespace {

store::LightSetting RowOf(int effect) {
    return protocol::DefaultLightRow(1, effect);
}

TEST(LightEffects, NamedByWordOrCode) {
    const struct {
        std::string word;
        std::optional<int> code;
    } cases[] = {
        {"off", 0},
        {"flowing", 1},
        {"Breathing", 2},
        {"STEADY", 3},
        {"neon", 4},
        {"wave", 5},
        {"0", 0},
        {"5", 5},
        {"6", std::nullopt},
        {"-1", std::nullopt},
        {"rainbow", std::nullopt},
        {"", std::nullopt},
        {"colour wave", std::nullopt},
    };
    for (const auto& c : cases) {
        const Normalised<int> effect = ParseEffect(c.word);
        EXPECT_EQ(effect.value, c.code) << "'" << c.word << "'";
        EXPECT_EQ(effect.error.empty(), effect.value.has_value());
    }
    EXPECT_EQ(ParseEffect("rainbow").error,
              "unknown lighting effect 'rainbow'; it takes flowing|breathing|steady|neon|wave|off or 0-5");
    EXPECT_EQ(EffectWord(0), "off");
    EXPECT_EQ(EffectWord(6), "");
    for (const LightEffectName& effect : kLightEffectNames) {
        EXPECT_EQ(RowOf(effect.code).reserved, effect.name_text) << effect.word;
    }
}

TEST(LightEffects, ControlsFollowTheRowsConfigFunc) {
    const struct {
        int effect;
        EffectControls controls;  // brightness, speed, palette, colours
    } cases[] = {
        {1, {true, true, false, 0}}, {2, {true, true, true, 7}},  {3, {true, false, true, 1}},
        {4, {true, true, false, 0}}, {5, {true, true, false, 0}}, {0, {false, false, false, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ControlsOf(RowOf(c.effect).config_func), c.controls) << "effect " << c.effect;
    }
    // Slots without the palette are shown, but no colour can be chosen.
    EXPECT_EQ(ControlsOf(0x800), (EffectControls{false, false, false, 7}));
}

TEST(LightEffects, BrightnessIsShownInQuarters) {
    const int percent[][2] = {{0, 0}, {1, 25}, {2, 50}, {3, 75}, {4, 100}, {5, 100}, {-1, 100}};
    for (const auto& [brightness, shown] : percent) {
        EXPECT_EQ(BrightnessPercent(brightness), shown) << brightness;
    }
}

TEST(LightEffects, BrightnessAndSpeedOnlyWhereTheEffectOffersThem) {
    const struct {
        int effect;
        std::string word;
        std::optional<int> brightness;
        std::optional<int> speed;
    } cases[] = {
        {2, "0", 0, 0},
        {2, "4", 4, 4},
        {2, "5", std::nullopt, std::nullopt},
        {2, "-1", std::nullopt, std::nullopt},
        {2, "high", std::nullopt, std::nullopt},
        {3, "3", 3, std::nullopt},
        {0, "3", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("effect " + std::to_string(c.effect) + ", '" + c.word + "'");
        const store::LightSetting row = RowOf(c.effect);
        EXPECT_EQ(ParseBrightness(c.word, row).value, c.brightness);
        EXPECT_EQ(ParseSpeed(c.word, row).value, c.speed);
    }
    EXPECT_EQ(ParseSpeed("3", RowOf(3)).error, "effect steady has no speed");
    EXPECT_EQ(ParseBrightness("9", RowOf(2)).error, "brightness '9' is not one of 0-4");
}

TEST(LightEffects, ColourSlotsPerEffect) {
    const struct {
        int effect;
        std::optional<std::string> word;
        std::optional<int> slot;
    } cases[] = {
        {2, std::nullopt, 0},
        {2, "1", 0},
        {2, "7", 6},
        {2, "8", std::nullopt},
        {2, "0", std::nullopt},
        {2, "x", std::nullopt},
        {3, std::nullopt, 0},
        {3, "1", 0},
        {3, "2", std::nullopt},
        {1, std::nullopt, std::nullopt},
        {0, "1", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("effect " + std::to_string(c.effect) + ", slot " + c.word.value_or("none"));
        const std::optional<std::string_view> word =
            c.word ? std::optional<std::string_view>(*c.word) : std::nullopt;
        const Normalised<int> slot = ParseColourSlot(word, RowOf(c.effect));
        EXPECT_EQ(slot.value, c.slot);
        EXPECT_EQ(slot.error.empty(), slot.value.has_value());
    }
    EXPECT_EQ(ParseColourSlot(std::nullopt, RowOf(1)).error, "effect flowing takes no colour");
    EXPECT_EQ(ParseColourSlot("2", RowOf(3)).error,
              "colour slot '2' is not offered; effect steady has one colour, slot 1");
    EXPECT_EQ(ParseColourSlot("8", RowOf(2)).error,
              "colour slot '8' is not offered; effect breathing takes slots 1-7");
}

}  // namespace
}  // namespace mousedeck::pages::lighting
