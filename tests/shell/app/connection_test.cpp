#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "hid/hid_interface.h"
#include "hid/task_code.h"
#include "store/config_defaults.h"

namespace mousedeck::shell::app::test {
namespace {

struct ConnectionCase {
    const char* name;
    bool cable;
    bool receiver;
    bool mouse_on;
    const char* caption;
    int firmware_reads;  // 0x20 is read only through the receiver
};

class ConnectionTest : public AppFixture, public ::testing::WithParamInterface<ConnectionCase> {};

// Commands go by cable whenever there is one, so a change reaches the mouse
// even while it is switched off for its receiver.
TEST_P(ConnectionTest, CableWinsOverReceiver) {
    const ConnectionCase& c = GetParam();
    Plug(kC2, false, false);
    Plug(kW1, c.cable, c.receiver);
    Mouse(kW1).SetMousePower(c.mouse_on);
    Start();
    ASSERT_TRUE(WaitForTask(hid::kTaskFindAndRead, TaskOutcome::kAcknowledged));
    Idle();
    EXPECT_EQ(view.WithPrefix("Caption ").back(), c.caption);
    const auto commands = TakeCommands(kW1);
    EXPECT_EQ(std::ranges::count(commands, 0x20), c.firmware_reads);
    EXPECT_EQ(controller->MouseFirmwareVersion(), "105");

    ASSERT_TRUE(Actions().SetReportRate(4));
    ASSERT_TRUE(WaitForTask(hid::kTaskSendReportRate, TaskOutcome::kAcknowledged));
    EXPECT_EQ(Mouse(kW1).State().PayloadOf(0x02)[0], 4);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ConnectionTest,
    ::testing::Values(ConnectionCase{"CableAndReceiver", true, true, true, "Caption 51", 0},
                      ConnectionCase{"CableMouseOffForReceiver", true, true, false, "Caption 51", 0},
                      ConnectionCase{"ReceiverOnly", false, true, true, "Caption 52", 1}),
    [](const ::testing::TestParamInfo<ConnectionCase>& p) { return std::string(p.param.name); });

// A receiver whose mouse is off at start: nothing is read, the check marks
// the receiver connected; when the mouse reports in, it is read for the
// first time (without the battery reset and the firmware read).
TEST_F(ConnectionTest, MouseOffBehindReceiverIsReadWhenItComesBack) {
    Plug(kC2, false, false);
    Plug(kW1, false, true);
    Mouse(kW1).SetMousePower(false);
    Start();
    ASSERT_TRUE(WaitForTask(hid::kTaskFindAndRead, TaskOutcome::kNotAcknowledged));
    Idle();
    EXPECT_EQ(view.Count("Trace 无线设备未连接"), 1);
    EXPECT_EQ(view.Count("Trace 获取鼠标数据异常, 当前模式: 1"), 1);
    EXPECT_FALSE(controller->WasReadBack(kW1));
    EXPECT_EQ(std::ranges::count(TakeCommands(kW1), 0x12), 0);

    Mouse(kW1).SetMousePower(true);
    ASSERT_TRUE(view.WaitForLine("Connected 101 1"));
    ASSERT_TRUE(view.WaitForLine("Refresh Information"));
    Idle();
    EXPECT_TRUE(controller->WasReadBack(kW1));
    const auto commands = TakeCommands(kW1);
    EXPECT_EQ(std::ranges::count(commands, 0x12), 1);
    EXPECT_EQ(std::ranges::count(commands, 0x20), 0);
    EXPECT_EQ(Key(store::config_key::kReportRate), std::to_string(kMouseReportRate));
}

// When the receiver reports the mouse off or back, the interface's online
// state has changed by the time the view hears of it.
TEST_F(ConnectionTest, ReceiverReportsChangeTheModelBeforeTheView) {
    Plug(kC2, false, false);
    Plug(kW1, false, true);
    Create();
    std::mutex mutex;
    std::vector<std::string> seen;
    view.on_call = [&](const std::string& line) {
        if (line != "Lost 101" && line != "Connected 101 1") {
            return;
        }
        int online = -1;
        for (const hid::HidInterface& interface : controller->Devices().InterfacesOfCurrentType()) {
            if (interface.connection_mode == hid::kDongleMode) {
                online = interface.online_state;
            }
        }
        std::lock_guard lock(mutex);
        seen.push_back(line + " online " + std::to_string(online));
    };
    Start();
    ASSERT_TRUE(WaitForTask(hid::kTaskFindAndRead, TaskOutcome::kAcknowledged));
    Idle();

    Mouse(kW1).SetMousePower(false);
    ASSERT_TRUE(view.WaitForLine("Lost 101"));
    Idle();
    Mouse(kW1).SetMousePower(true);
    ASSERT_TRUE(view.WaitForLine("Connected 101 1"));
    Idle();
    std::lock_guard lock(mutex);
    EXPECT_EQ(seen, (std::vector<std::string>{"Lost 101 online " + std::to_string(hid::kOfflineByNotification),
                                              "Connected 101 1 online " + std::to_string(hid::kOnline)}));
}

// The mouse comes back while the loss is still being handled: the receiver's
// report of its return is acted on, not swallowed by the look at the
// receiver's state that follows a loss.
TEST_F(ConnectionTest, MouseBackWhileItsLossIsHandledIsShownConnected) {
    Plug(kC2, false, false);
    Plug(kW1, false, true);
    Create();
    view.on_call = [this](const std::string& line) {
        if (line == "Lost 101") {
            Mouse(kW1).SetMousePower(true);  // on the worker, before its look at the receiver
        }
    };
    Start();
    ASSERT_TRUE(WaitForTask(hid::kTaskFindAndRead, TaskOutcome::kAcknowledged));
    Idle();

    Mouse(kW1).SetMousePower(false);
    ASSERT_TRUE(view.WaitForLine("Connected 101 1"));
    Idle();
    EXPECT_TRUE(controller->DeviceConnected());
    EXPECT_EQ(view.WithPrefix("Caption ").back(), "Caption 52");
}

// With no device the codes still run; the sends fail quietly.
TEST_F(ConnectionTest, ChangesWithoutADeviceAreStoredAndNotAcknowledged) {
    Plug(kC2, false, false);
    Start();
    ASSERT_TRUE(WaitForTask(hid::kTaskFindAndRead, TaskOutcome::kAcknowledged));
    Idle();
    Plug(kW1, false, false);
    ASSERT_TRUE(WaitForTask(hid::kTaskDeviceRemoved, TaskOutcome::kNothingSent, 2));
    Idle();

    ASSERT_TRUE(Actions().SetDebounce(9));
    ASSERT_TRUE(WaitForTask(hid::kTaskSendDebounce, TaskOutcome::kNotAcknowledged));
    EXPECT_EQ(Key(store::config_key::kButtonRespondTime), "9");
}

}  // namespace
}  // namespace mousedeck::shell::app::test
