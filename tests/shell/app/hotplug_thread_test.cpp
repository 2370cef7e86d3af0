#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "app_fixture.h"
#include "hid/task_code.h"
#include "store/config_defaults.h"

namespace mousedeck::shell::app::test {
namespace {

class HotplugTest : public AppFixture {};

TEST_F(HotplugTest, ArrivalAndRemovalEachQueueOneRefresh) {
    Plug(kW1, false, false);
    Plug(kC2, false, false);
    Start();
    ASSERT_TRUE(WaitForTask(hid::kTaskFindAndRead, TaskOutcome::kNothingSent));
    Idle();
    EXPECT_EQ(view.Count("NoDeviceView"), 1);
    EXPECT_FALSE(controller->DeviceConnected());

    // The cable brings four interfaces; only the command one counts.
    Mouse(kC2).PlugCable(true);
    ASSERT_TRUE(WaitForTask(hid::kTaskDeviceArrived, TaskOutcome::kAcknowledged));
    Idle();
    EXPECT_EQ(view.CountPrefix("Task 2 "), 1);
    EXPECT_EQ(controller->CurrentDeviceType(), kC2);
    EXPECT_TRUE(controller->DeviceConnected());
    EXPECT_EQ(Key(store::config_key::kReportRate), std::to_string(kMouseReportRate));
    EXPECT_EQ(Db().CountLightRows(controller->CurrentProfile()), 0) << "C2 has no lighting";

    Mouse(kC2).PlugCable(false);
    ASSERT_TRUE(WaitForTask(hid::kTaskDeviceRemoved, TaskOutcome::kNothingSent));
    Idle();
    EXPECT_EQ(view.CountPrefix("Task 3 "), 1);
    EXPECT_EQ(view.Count("NoDeviceView"), 2);
    EXPECT_FALSE(controller->DeviceConnected());
}

TEST_F(HotplugTest, WithoutHotplugEventsAVanishedInterfaceStandsForARemoval) {
    Plug(kC2, false, false);
    Start(/*hotplug=*/false);
    ASSERT_TRUE(WaitForTask(hid::kTaskFindAndRead, TaskOutcome::kAcknowledged));
    Idle();

    Plug(kW1, false, false);
    ASSERT_TRUE(WaitForTask(hid::kTaskDeviceRemoved, TaskOutcome::kNothingSent));
    Idle();
    EXPECT_FALSE(controller->DeviceConnected());
}

// The receiver reports its mouse switched off and on again: the views, the
// card and the battery follow; the settings are not read a second time.
TEST_F(HotplugTest, ReceiverReportsMouseGoneAndBackWithBattery) {
    Plug(kW1, false, true);
    Plug(kC2, false, false);
    Start();
    ASSERT_TRUE(WaitForTask(hid::kTaskFindAndRead, TaskOutcome::kAcknowledged));
    Idle();
    EXPECT_EQ(view.WithPrefix("Caption ").back(), "Caption 52");
    EXPECT_EQ(Mouse(kW1).State().battery, (std::array<uint8_t, 2>{0x00, 0x64}));
    EXPECT_EQ(view.WithPrefix("Battery ").back(), "Battery 100 0");
    EXPECT_EQ(view.WithPrefix("CardBattery ").back(), "CardBattery 101 0 100");
    TakeWrites(kW1);

    view.Clear();
    Mouse(kW1).SetMousePower(false);
    ASSERT_TRUE(view.WaitForLine("Lost 101"));
    Idle();
    EXPECT_FALSE(controller->DeviceConnected());
    EXPECT_EQ(view.WithPrefix("Caption ").back(), "Caption 50");
    EXPECT_EQ(view.Count("CardState 101 1 0"), 1);
    EXPECT_EQ(view.CountPrefix("Battery "), 0) << "a report without battery leaves the display";
    // No card has a reachable mouse any more.
    EXPECT_EQ(view.Calls().back(), "NoDeviceView");

    view.Clear();
    Mouse(kW1).SetBattery(0x01, 0x37);  // the mouse is off: no report yet
    Mouse(kW1).SetMousePower(true);
    ASSERT_TRUE(view.WaitForLine("Battery 55 1"));
    Idle();
    EXPECT_TRUE(controller->DeviceConnected());
    EXPECT_EQ(view.WithPrefix("Caption ").back(), "Caption 52");
    EXPECT_EQ(view.Count("Connected 101 1"), 1);
    EXPECT_EQ(view.Count("CardState 101 1 1"), 1);
    EXPECT_EQ(view.Count("DevicePages"), 1);
    EXPECT_EQ(view.WithPrefix("Battery ").back(), "Battery 55 1");
    EXPECT_EQ(view.Count("Refresh Information"), 1) << "the reconnect read the mouse's identity";
    const auto commands = TakeCommands(kW1);
    EXPECT_EQ(std::ranges::count(commands, 0x12), 0) << "settings are read once per run";
}

}  // namespace
}  // namespace mousedeck::shell::app::test
