#include <gtest/gtest.h>

#include "frame_bytes.h"
#include "protocol/lighting_frames.h"
#include "protocol/lighting_rows.h"
#include "store/settings_database.h"
#include "support/temp_home.h"

namespace mousedeck::protocol::test {
namespace {

store::LightSetting Light(int mode, int brightness, int speed) {
    store::LightSetting light = DefaultLightRow(1, mode);
    light.mode = mode;
    light.brightness = brightness;
    light.speed = speed;
    light.color_values = {0x0000FF, 0x00FF00, 0xFF0000, 0x20A3FF, 0x00FFFF, 0xFF00FF, 0x123456};
    light.direction = 1;  // never sent
    light.colorful = 0;
    light.colorindex = 3;
    return light;
}

TEST(LightingFrameTest, PayloadPerEffect) {
    const Bytes seven_colours = {7,    0xFF, 0,    0,    0, 0xFF, 0, 0,    0,    0xFF, 0xFF,
                                 0xA3, 0x20, 0xFF, 0xFF, 0, 0xFF, 0, 0xFF, 0x56, 0x34, 0x12};
    Bytes breathing = {2, 0x42};
    breathing.insert(breathing.end(), seven_colours.begin(), seven_colours.end());
    const struct {
        store::LightSetting light;
        uint8_t length;
        Bytes payload;
    } cases[] = {
        {Light(0, 4, 2), 2, {0, 0x42}},  {Light(1, 4, 2), 3, {1, 0x42, 0}},
        {Light(2, 4, 2), 24, breathing}, {Light(3, 1, 3), 5, {3, 0x13, 0xFF, 0, 0}},
        {Light(4, 0, 0), 2, {4, 0x00}},  {Light(5, 3, 4), 2, {5, 0x34}},
        {Light(6, 4, 2), 0, {}},  // no such effect: length 0, bytes 5 and 6 stay 0
        {Light(-1, 4, 2), 0, {}},        {Light(1, 9, -2), 3, {1, 0x40, 0}},  // levels bounded to 0..4
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Written(BuildLightingFrame(c.light)), Request(0x05, 0x01, c.length, c.payload, 65))
            << "effect " << c.light.mode;
    }
}

TEST(LightingFrameTest, RestoreFrame) {
    EXPECT_EQ(Written(BuildRestoreLightingFrame()), Request(0x0E, 0x01, 1, {0x01}, 33));
}

TEST(LightingReplyTest, EffectAndLevels) {
    const struct {
        uint8_t effect, levels;
        std::optional<int> e, brightness, speed;
    } cases[] = {
        {1, 0x42, 1, 4, 2},
        {0, 0x00, 0, 0, 0},
        {5, 0x34, 5, 3, 4},
        {6, 0x42, std::nullopt, 4, 2},
        {0xFF, 0x42, std::nullopt, 4, 2},
        {2, 0x52, 2, std::nullopt, std::nullopt},  // brightness 5
        {2, 0x4F, 2, std::nullopt, std::nullopt},  // speed 15
    };
    for (const auto& c : cases) {
        const LightingReply r = DecodeLightingReply(Reply(0x15, {c.effect, c.levels}));
        EXPECT_EQ(r.raw_effect, c.effect);
        EXPECT_EQ(r.effect, c.e) << int(c.effect);
        EXPECT_EQ(r.brightness, c.brightness) << int(c.levels);
        EXPECT_EQ(r.speed, c.speed) << int(c.levels);
    }
}

TEST(LightRowsTest, DefaultRowsInInsertionOrder) {
    const auto rows = DefaultLightRows(3, {true, true, true, true, true, true});
    ASSERT_EQ(rows.size(), 6u);
    const struct {
        int mode;
        const char* name;
        int config_func;
        int key;
    } expected[] = {{1, "流光", 0x003, 280}, {2, "呼吸", 0x813, 281},     {3, "常亮", 0x011, 282},
                    {4, "霓虹", 0x003, 283}, {5, "七彩波浪", 0x003, 284}, {0, "关闭", 0x000, 285}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].profile, 3);
        EXPECT_EQ(rows[i].mode, expected[i].mode);
        EXPECT_EQ(rows[i].name, expected[i].name);
        EXPECT_EQ(rows[i].config_func, expected[i].config_func);
        EXPECT_EQ(rows[i].reserved, expected[i].key);
        EXPECT_EQ(rows[i].brightness, 4);
        EXPECT_EQ(rows[i].speed, 2);
        EXPECT_EQ(rows[i].direction, 0);
        EXPECT_EQ(rows[i].colorful, 1);
        EXPECT_EQ(rows[i].colorindex, 0);
        EXPECT_EQ(rows[i].status, 0);
        EXPECT_EQ(rows[i].color_values,
                  (std::array<int, 7>{0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF}));
    }
    // The switch of effect 0 (off) is the first one, its row comes last.
    const auto some = DefaultLightRows(1, {true, false, false, true, false, false});
    ASSERT_EQ(some.size(), 2u);
    EXPECT_EQ(some[0].mode, 3);
    EXPECT_EQ(some[1].mode, 0);
    EXPECT_TRUE(DefaultLightRows(1, {}).empty());
}

class LightRowsDbTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(db_.OpenForDevice(folder_.path(), "P1", 101)); }
    mousedeck::test::TempDir folder_;
    store::SettingsDatabase db_;
};

TEST_F(LightRowsDbTest, EnsureAddsRowsOnceAndMakesEffectOneActive) {
    ASSERT_TRUE(EnsureLightRows(db_, 1, {true, true, true, false, false, false}));
    const auto rows = db_.ListLightRows(1);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].mode, 1);
    EXPECT_EQ(rows[1].mode, 2);
    EXPECT_EQ(rows[2].mode, 0);
    EXPECT_EQ(db_.GetActiveLightMode(1), 1);

    // A profile with rows gets none, even when more effects are enabled now.
    ASSERT_TRUE(EnsureLightRows(db_, 1, {true, true, true, true, true, true}));
    EXPECT_EQ(db_.CountLightRows(1), 3);
    // Other profiles are separate.
    EXPECT_EQ(db_.CountLightRows(2), 0);
}

TEST_F(LightRowsDbTest, NoEnabledEffectLeavesTheProfileWithoutRows) {
    EXPECT_TRUE(EnsureLightRows(db_, 2, {}));
    EXPECT_EQ(db_.CountLightRows(2), 0);
    EXPECT_EQ(db_.GetActiveLightMode(2), 0);
}

TEST(LightRowsNoDbTest, FailedWritesAreReported) {
    store::SettingsDatabase closed;
    EXPECT_FALSE(EnsureLightRows(closed, 1, {true, true, true, true, true, true}));
}

}  // namespace
}  // namespace mousedeck::protocol::test
