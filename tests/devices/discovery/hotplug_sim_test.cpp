#include <gtest/gtest.h>

#include "devices/discovery/sim_hotplug_source.h"
#include "discovery_fixture.h"
#include "hid/task_code.h"

namespace mousedeck::discovery::test {
namespace {

using hid::kTaskDeviceArrived;
using hid::kTaskDeviceRemoved;

// Hot-plug end to end: the simulated mouse's plug events go through
// UpdateUSBDevice into the task sink, and each queued task is then run as
// the worker would run it.
class HotplugSimTest : public DiscoveryFixture {
protected:
    HotplugSimTest() {
        UnplugAll();
        discovery.RebuildAndEnumerate();
        discovery.RefreshAndSelect();
        source = std::make_unique<SimHotplugSource>(
            Mouse(kW1), [this](const HotplugEvent& event) { discovery.UpdateUSBDevice(event); });
        view.Clear();
    }

    // Runs the queued tasks in order, as the worker does, and empties the queue.
    void RunTasks() {
        for (int code : Tasks()) {
            if (code == kTaskDeviceArrived) {
                discovery.RebuildAndEnumerate();
                discovery.RefreshAndSelect();
            } else if (code == kTaskDeviceRemoved) {
                discovery.RefreshAndSelect();
            }
        }
        ClearTasks();
    }

    std::unique_ptr<SimHotplugSource> source;
};

TEST_F(HotplugSimTest, PlugAndUnplugFollowTheConnection) {
    ASSERT_FALSE(state.Polling());

    // Four interfaces arrive with the cable; only the command interface counts.
    Mouse(kW1).PlugCable(true);
    EXPECT_EQ(Tasks(), std::vector<int>{kTaskDeviceArrived});
    RunTasks();
    EXPECT_EQ(view.Last("Caption"), "Caption 51");
    EXPECT_EQ(view.Last("SelectedCard"), "SelectedCard 101");
    ASSERT_TRUE(manager.SelectInterface());
    EXPECT_EQ(manager.SelectInterface()->product_id, 0x0001);
    EXPECT_TRUE(state.Polling());

    // The receiver joins; the cable still carries the commands.
    Mouse(kW1).PlugReceiver(true);
    EXPECT_EQ(Tasks(), std::vector<int>{kTaskDeviceArrived});
    RunTasks();
    EXPECT_EQ(view.Last("Caption"), "Caption 51");
    EXPECT_EQ(state.Cards().StateOf(kW1, 1), 1);
    EXPECT_EQ(manager.SelectInterface()->connection_mode, hid::kWiredMode);

    // The cable leaves: the receiver takes over.
    Mouse(kW1).PlugCable(false);
    EXPECT_EQ(Tasks(), std::vector<int>{kTaskDeviceRemoved});
    RunTasks();
    EXPECT_EQ(view.Last("Caption"), "Caption 52");
    EXPECT_EQ(state.Cards().StateOf(kW1, 0), 0);
    EXPECT_EQ(manager.SelectInterface()->connection_mode, hid::kDongleMode);

    // The receiver leaves: nothing is left.
    Mouse(kW1).PlugReceiver(false);
    EXPECT_EQ(Tasks(), std::vector<int>{kTaskDeviceRemoved});
    RunTasks();
    EXPECT_EQ(view.Last("Caption"), "Caption 50");
    EXPECT_EQ(view.Last("NoDeviceView"), "NoDeviceView");
    EXPECT_FALSE(state.Polling());
    EXPECT_FALSE(state.DeviceConnected());
}

TEST_F(HotplugSimTest, RemovalWhileNotPollingQueuesNothing) {
    Mouse(kW1).PlugReceiver(true);
    Mouse(kW1).PlugReceiver(false);  // before the arrival task ran: polling is still off
    EXPECT_EQ(Tasks(), std::vector<int>{kTaskDeviceArrived});
}

TEST_F(HotplugSimTest, UnknownProductOfTheVendorIsReportedOnce) {
    sim::SimProduct unknown = Mouse(kW1).product();
    unknown.modes = {{0, kVendor, 0x00AA, sim::CommandUsage::kGenericDesktop}};
    sim::SimulatedMouse mouse(unknown, sim::SimOptions{});
    mouse.PlugCable(false);
    SimHotplugSource unknown_source(mouse,
                                    [this](const HotplugEvent& event) { discovery.UpdateUSBDevice(event); });

    mouse.PlugCable(true);

    EXPECT_EQ(view.Calls(), std::vector<std::string>{"Unsupported 4617 170"});
    EXPECT_TRUE(Tasks().empty());
}

TEST_F(HotplugSimTest, SourceStopsListeningWhenDestroyed) {
    source.reset();
    Mouse(kW1).PlugCable(true);
    EXPECT_TRUE(Tasks().empty());
}

}  // namespace
}  // namespace mousedeck::discovery::test
