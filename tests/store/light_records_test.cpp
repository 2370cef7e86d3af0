#include <gtest/gtest.h>

#include <vector>

#include "store_fixture.h"

namespace mousedeck::store::test {
namespace {

// Every field distinct, so a column read or bound in the wrong place shows.
LightSetting Light(int profile, int mode, int status = 0) {
    return {.profile = profile,
            .name = "effect " + std::to_string(mode),
            .mode = mode,
            .brightness = 11,
            .speed = 12,
            .direction = 13,
            .colorful = 14,
            .colorindex = 15,
            .color_values = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0xFFFFFF},
            .config_func = 23,
            .reserved = 24,
            .status = status};
}

using LightTest = StoreTest;

TEST_F(LightTest, AddedRowReadsBackFieldForField) {
    LightSetting light = Light(2, 5, 1);
    light.light_id = db_.AddLightRow(light);
    ASSERT_NE(light.light_id, 0);
    EXPECT_EQ(db_.GetLightRow(2, 5), light);
    EXPECT_EQ(db_.GetLightRow(1, 5), std::nullopt);
    EXPECT_EQ(db_.ListLightRows(2), std::vector<LightSetting>{light});
}

TEST_F(LightTest, UpdateChangesTheValuesOfOneModeOnly) {
    LightSetting kept = Light(1, 1);
    kept.light_id = db_.AddLightRow(kept);
    LightSetting target = Light(1, 2, 1);
    target.light_id = db_.AddLightRow(target);

    LightSetting change = {.profile = 1,
                           .name = "not stored",
                           .mode = 9,
                           .brightness = 1,
                           .speed = 2,
                           .direction = 3,
                           .colorful = 4,
                           .colorindex = 5,
                           .color_values = {6, 7, 8, 9, 10, 11, 12},
                           .config_func = 13,
                           .reserved = 14,
                           .status = 0};
    EXPECT_TRUE(db_.UpdateLightRow(change, 2));

    LightSetting expected = change;
    expected.light_id = target.light_id;
    expected.name = target.name;      // the name stays
    expected.mode = 2;                // the row is picked by mode, not changed
    expected.status = target.status;  // and so is the status
    EXPECT_EQ(db_.GetLightRow(1, 2), expected);
    EXPECT_EQ(db_.GetLightRow(1, 1), kept);
}

TEST_F(LightTest, ActiveModeAndCountArePerProfile) {
    for (int mode = 1; mode <= 3; ++mode) {
        ASSERT_NE(db_.AddLightRow(Light(1, mode)), 0);
    }
    ASSERT_NE(db_.AddLightRow(Light(2, 1, 1)), 0);
    EXPECT_EQ(db_.CountLightRows(1), 3);
    EXPECT_EQ(db_.CountLightRows(3), 0);
    EXPECT_EQ(db_.GetActiveLightMode(1), 0);
    EXPECT_TRUE(db_.SetActiveLight(1, 3));
    EXPECT_EQ(db_.GetActiveLightMode(1), 3);
    EXPECT_TRUE(db_.SetActiveLight(1, 2));
    EXPECT_EQ(db_.GetActiveLightMode(1), 2);
    EXPECT_EQ(db_.GetLightRow(1, 3)->status, 0);
    EXPECT_EQ(db_.GetActiveLightMode(2), 1);
}

}  // namespace
}  // namespace mousedeck::store::test
