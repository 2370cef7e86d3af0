#include "pages/lighting/lighting_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/performance/profile_database_fixture.h"
#include "protocol/lighting_rows.h"

namespace mousedeck::pages::lighting {
namespace {

constexpr protocol::LightEffectSwitches kAllEffects = {true, true, true, true, true, true};

class LightingViewTest : public test::ProfileDatabaseTest {
protected:
    void SetUp() override {
        ProfileDatabaseTest::SetUp();
        ASSERT_TRUE(protocol::EnsureLightRows(db, profile, kAllEffects));
    }

    store::LightSetting Row(int effect) {
        const auto row = db.GetLightRow(profile, effect);
        EXPECT_TRUE(row.has_value()) << "effect " << effect;
        return row.value_or(store::LightSetting{});
    }
};

std::vector<int> CodesOf(const LightingView& view) {
    std::vector<int> codes;
    for (const EffectEntry& entry : view.effects) {
        codes.push_back(entry.code);
    }
    return codes;
}

TEST_F(LightingViewTest, NewProfileListsEveryEffectInRowOrderWithFlowingActive) {
    const LightingView view = ReadLightingView(db, profile);
    EXPECT_EQ(CodesOf(view), (std::vector<int>{1, 2, 3, 4, 5, 0}));
    EXPECT_EQ(view.effects.front(), (EffectEntry{1, 280, "flowing"}));
    EXPECT_EQ(view.effects.back(), (EffectEntry{0, 285, "off"}));
    EXPECT_EQ(view.effect, 1);
    ASSERT_TRUE(view.current.has_value());
    EXPECT_EQ(view.current->row, Row(1));
    EXPECT_EQ(view.current->controls, (EffectControls{true, true, false, 0}));
    EXPECT_EQ(view.current->brightness_percent, 100);
    EXPECT_TRUE(view.current->colours.empty());
}

TEST_F(LightingViewTest, ColoursShownFollowTheEffect) {
    store::LightSetting steady = Row(3);
    steady.color_values[0] = 0x20A3FF;
    steady.brightness = 1;
    ASSERT_TRUE(db.UpdateLightRow(steady, 3));
    ASSERT_TRUE(db.SetActiveLight(profile, 3));
    LightingView view = ReadLightingView(db, profile);
    EXPECT_EQ(view.effect, 3);
    ASSERT_TRUE(view.current.has_value());
    EXPECT_EQ(view.current->colours, std::vector<int>{0x20A3FF});
    EXPECT_EQ(view.current->brightness_percent, 25);

    ASSERT_TRUE(db.SetActiveLight(profile, 2));
    view = ReadLightingView(db, profile);
    ASSERT_TRUE(view.current.has_value());
    EXPECT_EQ(view.current->colours,
              (std::vector<int>{0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF}));
}

TEST_F(LightingViewTest, ProfilesWithoutRowsOrWithoutAnActiveRowShowNoEffect) {
    // Profile 2 was never shown on a lighting page: no rows yet, effect 0.
    const LightingView empty = ReadLightingView(db, 2);
    EXPECT_TRUE(empty.effects.empty());
    EXPECT_EQ(empty.effect, 0);
    EXPECT_FALSE(empty.current.has_value());

    // Rows without Off and none active: effect 0 is selected but has no row.
    for (const store::LightSetting& row :
         protocol::DefaultLightRows(3, {false, true, true, false, false, false})) {
        ASSERT_GT(db.AddLightRow(row), 0);
    }
    const LightingView view = ReadLightingView(db, 3);
    EXPECT_EQ(CodesOf(view), (std::vector<int>{1, 2}));
    EXPECT_EQ(view.effect, 0);
    EXPECT_FALSE(view.current.has_value());
}

}  // namespace
}  // namespace mousedeck::pages::lighting
