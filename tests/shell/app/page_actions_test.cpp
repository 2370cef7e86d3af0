#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app_fixture.h"
#include "hid/task_code.h"
#include "protocol/button_slots.h"
#include "store/config_defaults.h"
#include "store/settings_database.h"

namespace mousedeck::shell::app::test {
namespace {

namespace key = store::config_key;

class PageActionsTest : public AppFixture {
protected:
    void SetUp() override { StartConnected(kW1); }
};

struct SettingCase {
    const char* name;
    std::function<bool(PageActions&)> action;
    std::string key;
    std::string stored;
    int task;
    uint8_t command;  // the set command whose stored payload is checked
    int payload_index;
    uint8_t payload;
};

// Each change is stored in the current profile, queued as its task, and
// lands in the mouse's payload as that command's encoding.
TEST_F(PageActionsTest, SettingsAreStoredThenSent) {
    const std::vector<SettingCase> cases = {
        {"report rate 125 Hz", [](PageActions& a) { return a.SetReportRate(8); }, "report_rate", "8", 11,
         0x02, 0, 8},
        {"lift-off 2 mm", [](PageActions& a) { return a.SetLiftOff(2); }, "liftoff_height", "2", 12, 0x06, 0,
         2},
        {"sensor bit 8", [](PageActions& a) { return a.SetSensorFlags(8); }, "sensor_flag", "8", 12, 0x06, 1,
         1},
        {"sensor bit 16 stays local", [](PageActions& a) { return a.SetSensorFlags(16); }, "sensor_flag",
         "16", 12, 0x06, 1, 0},
        {"sleep ten minutes", [](PageActions& a) { return a.SetSleepTime(60); }, "sleep_light", "60", 13,
         0x07, 0, 60},
        {"no wake on move", [](PageActions& a) { return a.SetWakeOnMove(false); }, "move_wakeup", "0", 13,
         0x07, 1, 0},
        {"lights on while moving", [](PageActions& a) { return a.SetLightsOffOnMove(false); },
         "move_closelight", "0", 13, 0x07, 2, 0},
        {"debounce 20 ms", [](PageActions& a) { return a.SetDebounce(20); }, "button_respondtime", "20", 14,
         0x07, 3, 20},
        {"stage 2 value", [](PageActions& a) { return a.SetDpiStageValue(2, 2000); }, "dpi_group2_value",
         "2000", 9, 0x03, 9, 2000 / 50 - 1},
        {"stage 1 colour", [](PageActions& a) { return a.SetDpiStageColour(1, 0x4080FF); }, "dpi_group1_rgb",
         std::to_string(0x4080FF), 10, 0x04, 3, 0xFF},
    };
    for (const SettingCase& c : cases) {
        SCOPED_TRACE(c.name);
        view.Clear();
        ASSERT_TRUE(c.action(Actions()));
        EXPECT_EQ(Key(c.key), c.stored);
        ASSERT_TRUE(WaitForTask(c.task, TaskOutcome::kAcknowledged));
        Idle();
        const auto writes = TakeWrites(kW1);
        ASSERT_EQ(writes.size(), 1u);
        EXPECT_EQ(writes[0][1], c.command);
        EXPECT_EQ(Mouse(kW1).State().PayloadOf(c.command)[static_cast<std::size_t>(c.payload_index)],
                  c.payload);
        EXPECT_EQ(view.Count("SaveWait"), 1);
    }
}

// Values no frame can carry are refused before anything is stored or queued.
TEST_F(PageActionsTest, ValuesNoFrameCanCarryAreRefused) {
    const std::vector<std::pair<const char*, std::function<bool(PageActions&)>>> cases = {
        {"report-rate code 3", [](PageActions& a) { return a.SetReportRate(3); }},
        {"lift-off 3", [](PageActions& a) { return a.SetLiftOff(3); }},
        {"sensor bit 1", [](PageActions& a) { return a.SetSensorFlags(1); }},
        {"sleep 256", [](PageActions& a) { return a.SetSleepTime(256); }},
        {"debounce 21", [](PageActions& a) { return a.SetDebounce(21); }},
        {"debounce -1", [](PageActions& a) { return a.SetDebounce(-1); }},
        {"stage 6", [](PageActions& a) { return a.SetDpiStageValue(6, 800); }},
        {"stage value 0", [](PageActions& a) { return a.SetDpiStageValue(0, 0); }},
        {"count 0", [](PageActions& a) { return a.SetDpiStageCount(0); }},
        {"count 7", [](PageActions& a) { return a.SetDpiStageCount(7); }},
        {"active stage -1", [](PageActions& a) { return a.SetDpiActiveStage(-1); }},
        {"colour beyond 24 bits", [](PageActions& a) { return a.SetDpiStageColour(0, 0x1000000); }},
        {"effect 6", [](PageActions& a) { return a.SetLightingEffect(6); }},
        {"brightness 5", [](PageActions& a) { return a.SetLightingBrightness(5); }},
        {"speed -1", [](PageActions& a) { return a.SetLightingSpeed(-1); }},
        {"colour slot 7", [](PageActions& a) { return a.SetLightingColour(7, 0xFF); }},
        {"key code 21", [](PageActions& a) { return a.SetButtonBinding({.key_code = 21, .macro_type = 9}); }},
    };
    const auto before = Db().ListBindings(1);
    for (const auto& [name, action] : cases) {
        EXPECT_FALSE(action(Actions())) << name;
    }
    Idle();
    EXPECT_TRUE(view.Calls().empty());
    EXPECT_TRUE(TakeWrites(kW1).empty());
    EXPECT_EQ(Key(key::kReportRate), std::to_string(kMouseReportRate));
    EXPECT_EQ(Db().ListBindings(1), before);
}

TEST_F(PageActionsTest, LoweringTheStageCountKeepsTheActiveStageInside) {
    ASSERT_TRUE(Actions().SetDpiActiveStage(5));
    Idle();
    TakeWrites(kW1);
    view.Clear();
    ASSERT_TRUE(Actions().SetDpiStageCount(3));
    EXPECT_EQ(Key(key::kDpiCount), "3");
    EXPECT_EQ(Key(key::kDpiIndex), "2");
    ASSERT_TRUE(WaitForTask(hid::kTaskSendDpiStages, TaskOutcome::kAcknowledged));
    Idle();
    EXPECT_EQ(view.CountPrefix("Task "), 1);
    EXPECT_EQ(Mouse(kW1).State().StageByte(), 0x23);
    EXPECT_EQ(controller->ShownStages().count, 3);
    EXPECT_EQ(controller->ShownStages().index, 2);
}

TEST_F(PageActionsTest, ChoosingTheShownStageAgainSendsNothing) {
    const int shown = controller->ShownStages().index;
    ASSERT_TRUE(Actions().SetDpiActiveStage(shown));
    Idle();
    EXPECT_TRUE(view.Calls().empty());
    ASSERT_TRUE(Actions().SetDpiActiveStage(shown == 0 ? 1 : 0));
    Idle();
    EXPECT_EQ(view.CountPrefix("Task 9 "), 1);
    EXPECT_EQ(view.CountPrefix("DpiPopup "), 1);
}

// A button given a macro has its macro data sent before the button
// functions; later changes send the functions only.
TEST_F(PageActionsTest, AMacroIsSentOnceWhenItIsAssigned) {
    const int macro = Db().AddMacro("Greeting");
    ASSERT_GT(macro, 0);
    // Press A, 50 ms, release A (Windows virtual key 0x41).
    ASSERT_TRUE(Db().AddMacroRecords(
        std::vector<store::MacroRecord>{{.macro_id = macro, .type = 2, .record_index = 0, .value = 0x41},
                                        {.macro_id = macro, .type = 1, .record_index = 1, .value = 50},
                                        {.macro_id = macro, .type = 3, .record_index = 2, .value = 0x41}}));

    ASSERT_TRUE(Actions().SetButtonBinding(
        {.key_code = 3, .macro_type = static_cast<int>(protocol::Family::kMacro), .macro_value = macro}));
    ASSERT_TRUE(WaitForTask(hid::kTaskSendButtons, TaskOutcome::kAcknowledged));
    Idle();
    const auto writes = TakeWrites(kW1);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0][1], 0x08);
    EXPECT_EQ(writes[1][1], 0x09);
    const auto state = Mouse(kW1).State();
    ASSERT_TRUE(state.macros.contains(3));
    EXPECT_EQ(state.macros.at(3), (Bytes{0x30, 0x32, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04}));
    EXPECT_EQ(state.PayloadOf(0x09)[9], 0x90) << "key 3's slot names the macro";

    ASSERT_TRUE(Actions().ResetButton(3));
    ASSERT_TRUE(WaitForTask(hid::kTaskSendButtons, TaskOutcome::kAcknowledged, 2));
    Idle();
    EXPECT_EQ(TakeCommands(kW1), std::vector<int>{0x09});
    EXPECT_TRUE(Db().ListBindings(1).empty());
    EXPECT_EQ(Mouse(kW1).State().PayloadOf(0x09)[9], 0x10) << "back to the backward button";
}

TEST_F(PageActionsTest, ReportRateResetTakesTheProductDefault) {
    ASSERT_TRUE(Actions().ResetReportRate());
    EXPECT_EQ(Key(key::kReportRate), "1");
    EXPECT_EQ(Key(key::kReportRateWireless), "1");
    ASSERT_TRUE(WaitForTask(hid::kTaskSendReportRate, TaskOutcome::kAcknowledged));
    EXPECT_EQ(Mouse(kW1).State().PayloadOf(0x02)[0], 1);
}

TEST_F(PageActionsTest, DpiResetAsksThenAppliesTheDefaultsAndSendsBoth) {
    ASSERT_TRUE(Actions().SetDpiStageValue(0, 1000));
    Idle();
    TakeWrites(kW1);
    view.Clear();
    ASSERT_TRUE(Actions().ResetDpi());
    EXPECT_EQ(view.Count("Ask 253 258 ok-cancel"), 1);
    ASSERT_TRUE(WaitForTask(hid::kTaskResetDpi, TaskOutcome::kAcknowledged));
    Idle();
    EXPECT_EQ(Key(store::DpiValueKey(0)), "400");
    EXPECT_EQ(Key(key::kDpiIndex), "2");
    EXPECT_EQ(TakeCommands(kW1), (std::vector<int>{0x03, 0x04}));
    EXPECT_EQ(view.Count("Refresh DpiArea"), 1);
}

}  // namespace
}  // namespace mousedeck::shell::app::test
