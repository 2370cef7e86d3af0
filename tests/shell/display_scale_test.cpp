#include "shell/display_scale.h"

#include <gtest/gtest.h>

namespace mousedeck::shell {
namespace {

TEST(DisplayScaleTest, EffectiveDpiMapsToPercent) {
    const struct {
        int dpi;
        int percent;
    } cases[] = {
        {0, 100},   {72, 100},  {96, 100},  {97, 100},  {110, 100}, {120, 125}, {121, 100},
        {144, 144}, {150, 100}, {168, 168}, {192, 192}, {240, 100}, {-1, 100},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DisplayScalePercent(c.dpi), c.percent) << c.dpi;
    }
    EXPECT_GT(DisplayScalePercent(144), 125) << "150 % counts as above 125";
    EXPECT_FALSE(DisplayScalePercent(120) > 125) << "125 % does not";
}

}  // namespace
}  // namespace mousedeck::shell
