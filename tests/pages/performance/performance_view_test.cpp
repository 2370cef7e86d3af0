#include "pages/performance/performance_view.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "profile_database_fixture.h"

namespace mousedeck::pages::performance {
namespace {

using PerformanceViewTest = test::ProfileDatabaseTest;

TEST_F(PerformanceViewTest, NewProfileShowsTheProductDefaultsAndTheSeeds) {
    PerformanceView expected;
    expected.report_rate_code = 1;
    expected.report_rate_hz = 1000;
    expected.report_rates = {{125, 8, 0x0108F1}, {250, 4, 0xED6B00}, {500, 2, 0x4DF600}, {1000, 1, 0x20A3FF}};
    expected.stage_count = 6;
    expected.active_stage = 2;
    expected.stages = {
        {{400, 255}, {800, 33023}, {1600, 65535}, {3200, 65280}, {6400, 16760832}, {26000, 15736992}}};
    expected.dpi_range = {50, 26000};
    expected.slider = {520, 0, "50", "26000"};
    expected.lift_off = 1;
    expected.sensor_flags = 53;
    expected.sensor_options = {true, false, true};
    expected.sleep_units = 60;
    expected.sleep_minutes = 10;
    expected.wake_on_move = true;
    expected.lights_off_on_move = true;
    expected.debounce = 8;

    EXPECT_EQ(ReadPerformanceView(db, profile, {}), expected);
}

TEST_F(PerformanceViewTest, TheMouseAndTheProductChooseWhatIsOffered) {
    Set("report_rate", "16");  // 2000 Hz
    PerformanceInputs inputs;
    inputs.sensor_code = 38;
    inputs.report_rate_capability = 7;
    inputs.options.show_lod = false;
    inputs.options.show_sensor = false;

    const PerformanceView view = ReadPerformanceView(db, profile, inputs);
    EXPECT_EQ(view.report_rate_hz, 2000);
    EXPECT_EQ(view.report_rates.size(), 7u);
    EXPECT_EQ(view.dpi_range, (DpiRange{200, 10000}));
    EXPECT_EQ(view.slider, (DpiSlider{59, 0, "200", "10000"}));
    EXPECT_FALSE(view.show_lift_off);
    EXPECT_FALSE(view.show_sensor);

    // The same code on a mouse offered four rates selects nothing.
    inputs.report_rate_capability = 6;
    const PerformanceView four = ReadPerformanceView(db, profile, inputs);
    EXPECT_EQ(four.report_rate_code, 16);
    EXPECT_EQ(four.report_rate_hz, std::nullopt);
    EXPECT_EQ(four.report_rates.size(), 4u);
}

TEST_F(PerformanceViewTest, StoredValuesThePageCannotShowFallBack) {
    Set("dpi_count", "3");
    Set("dpi_index", "5");
    Set("liftoff_height", "2.0");
    Set("sleep_light", "7");
    Set("move_wakeup", "2");
    Set("move_closelight", "0");
    Set("button_respondtime", "12ab");
    Set("dpi_group1_value", "lots");

    const PerformanceView view = ReadPerformanceView(db, profile, {});
    EXPECT_EQ(view.stage_count, 3);
    EXPECT_EQ(view.active_stage, 0) << "a stage beyond the count selects the first";
    EXPECT_EQ(view.lift_off, 1) << "only the text \"2\" shows 2.0 mm";
    EXPECT_EQ(view.sleep_units, 7);
    EXPECT_EQ(view.sleep_minutes, std::nullopt);
    EXPECT_FALSE(view.wake_on_move);
    EXPECT_FALSE(view.lights_off_on_move);
    EXPECT_EQ(view.debounce, 12);
    EXPECT_EQ(view.stages[1].value, 0);

    for (const std::string count : {"0", "7", "many"}) {
        Set("dpi_count", count);
        Set("dpi_index", "4");
        const PerformanceView shown = ReadPerformanceView(db, profile, {});
        EXPECT_EQ(shown.stage_count, 6) << count;
        EXPECT_EQ(shown.active_stage, 4) << count;
    }
}

TEST_F(PerformanceViewTest, EachProfileIsReadOnItsOwnAndAProfileWithoutKeysReadsAsZero) {
    Set("liftoff_height", "2");
    ASSERT_TRUE(db.SetConfigValue(2, "button_respondtime", "3"));

    EXPECT_EQ(ReadPerformanceView(db, profile, {}).lift_off, 2);
    EXPECT_EQ(ReadPerformanceView(db, 2, {}).lift_off, 1);
    EXPECT_EQ(ReadPerformanceView(db, 2, {}).debounce, 3);
    EXPECT_EQ(ReadPerformanceView(db, profile, {}).debounce, 8);

    const PerformanceView none = ReadPerformanceView(db, 9, {});
    EXPECT_EQ(none.report_rate_code, 0);
    EXPECT_EQ(none.report_rate_hz, std::nullopt);
    EXPECT_EQ(none.stage_count, 6);
    EXPECT_EQ(none.active_stage, 0);
    EXPECT_EQ(none.stages[0], (DpiStageView{0, 0}));
    EXPECT_EQ(none.lift_off, 1);
    EXPECT_EQ(none.sleep_minutes, std::nullopt);
    EXPECT_FALSE(none.wake_on_move);
}

}  // namespace
}  // namespace mousedeck::pages::performance
