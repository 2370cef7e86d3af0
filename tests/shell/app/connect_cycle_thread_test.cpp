#include <gtest/gtest.h>

#include <algorithm>

#include "app_fixture.h"
#include "hid/task_code.h"
#include "store/config_defaults.h"
#include "store/settings_database.h"

namespace mousedeck::shell::app::test {
namespace {

namespace key = store::config_key;

class ConnectCycleTest : public AppFixture {};

// The report-rate frame for 1000 Hz: 65 bytes, page 1, length 1, code 1,
// checksum (byte 32) the sum of bytes 5..31.
Bytes ReportRateFrame(uint8_t code) {
    Bytes frame(65, 0);
    frame[1] = 0x02;
    frame[3] = 0x01;
    frame[4] = 0x01;
    frame[5] = code;
    frame[32] = code;
    return frame;
}

TEST_F(ConnectCycleTest, ConnectReadBackChangeNotificationUnplug) {
    Plug(kC2, false, false);
    Start();
    ASSERT_TRUE(WaitForTask(hid::kTaskFindAndRead, TaskOutcome::kAcknowledged));
    Idle();

    // Connected by cable; the mouse's own settings are now the profile's.
    EXPECT_EQ(controller->CurrentDeviceType(), kW1);
    EXPECT_TRUE(controller->DeviceConnected());
    EXPECT_EQ(view.WithPrefix("Caption ").back(), "Caption 51");
    EXPECT_EQ(Db().ListProfiles().size(), 4u);
    EXPECT_EQ(controller->CurrentProfile(), 1);
    EXPECT_EQ(Key(key::kReportRate), std::to_string(kMouseReportRate));
    EXPECT_EQ(Key(key::kDpiIndex), std::to_string(kMouseStageIndex));
    EXPECT_EQ(Key(key::kButtonRespondTime), std::to_string(kMouseDebounce));
    EXPECT_EQ(controller->CurrentEffect(), kMouseEffect);
    EXPECT_EQ(Db().CountLightRows(1), 6);
    std::vector<int> commands = TakeCommands(kW1);
    for (int read : {0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17}) {
        EXPECT_EQ(std::ranges::count(commands, read), 1) << "read 0x" << std::hex << read;
    }
    EXPECT_EQ(std::ranges::count(commands, 0x20), 0) << "no firmware read through the cable";

    // A second connection of the same product does not read the settings again.
    controller->PushTask(hid::kTaskDeviceArrived);
    ASSERT_TRUE(WaitForTask(hid::kTaskDeviceArrived, TaskOutcome::kAcknowledged));
    Idle();
    commands = TakeCommands(kW1);
    EXPECT_EQ(std::ranges::count(commands, 0x12), 0);

    // A change: stored at once, then exactly one frame to the mouse.
    ASSERT_TRUE(Actions().SetReportRate(1));
    EXPECT_EQ(Key(key::kReportRate), "1");
    EXPECT_EQ(Key(key::kReportRateWireless), "1");
    ASSERT_TRUE(WaitForTask(hid::kTaskSendReportRate, TaskOutcome::kAcknowledged));
    Idle();
    EXPECT_EQ(TakeWrites(kW1), std::vector<Bytes>{ReportRateFrame(1)});
    EXPECT_EQ(Mouse(kW1).State().PayloadOf(0x02)[0], 1);

    // The DPI button on the mouse: stored and shown once, nothing sent back.
    view.Clear();
    const auto stage = Mouse(kW1).PressDpiButton();
    ASSERT_TRUE(stage.has_value());
    const int index = *stage >> 4;
    const std::string dpi = Key(store::DpiValueKey(index));
    ASSERT_TRUE(view.WaitForLine("DpiStage " + std::to_string(index) + " " + dpi));
    Idle();
    EXPECT_EQ(Key(key::kDpiIndex), std::to_string(index));
    EXPECT_EQ(view.CountPrefix("DpiStage "), 1);
    EXPECT_EQ(view.CountPrefix("DpiCount "), 0);
    EXPECT_EQ(view.Count("DpiPopup " + dpi), 1);
    EXPECT_TRUE(TakeWrites(kW1).empty());

    // The cable pulled: the receiver carries on, and its mouse is read again
    // only for its identity (the settings were read once in this run).
    Mouse(kW1).PlugCable(false);
    ASSERT_TRUE(WaitForTask(hid::kTaskDeviceRemoved, TaskOutcome::kAcknowledged));
    Idle();
    EXPECT_TRUE(controller->DeviceConnected());
    EXPECT_EQ(view.WithPrefix("Caption ").back(), "Caption 52");
    commands = TakeCommands(kW1);
    EXPECT_EQ(std::ranges::count(commands, 0x12), 0);

    // The receiver pulled too: nothing is left.
    Mouse(kW1).PlugReceiver(false);
    ASSERT_TRUE(WaitForTask(hid::kTaskDeviceRemoved, TaskOutcome::kNothingSent));
    Idle();
    EXPECT_FALSE(controller->DeviceConnected());
    EXPECT_EQ(view.WithPrefix("Caption ").back(), "Caption 50");
    EXPECT_EQ(view.Calls().back(),
              RecordingUserView::TaskLine(hid::kTaskDeviceRemoved, TaskOutcome::kNothingSent));
    EXPECT_EQ(view.Count("NoDeviceView"), 1);
}

}  // namespace
}  // namespace mousedeck::shell::app::test
