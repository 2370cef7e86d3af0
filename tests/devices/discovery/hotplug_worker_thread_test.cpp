#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "devices/discovery/sim_hotplug_source.h"
#include "discovery_fixture.h"
#include "hid/task_code.h"
#include "hid/task_worker.h"

namespace mousedeck::discovery::test {
namespace {

using namespace std::chrono_literals;

// Hot-plug through the real device worker: plug events arrive on the test
// thread, tasks run on the worker, the view hears from both.
class HotplugWorkerTest : public DiscoveryFixture {
protected:
    HotplugWorkerTest() {
        UnplugAll();
        const DiscoveryContext c = Context();
        own = std::make_unique<DeviceDiscovery>(
            DiscoveryContext{c.catalogue, c.folders, c.data_folder, manager, c.settings, c.database,
                             c.description_view, c.view,
                             TaskSink{[this](int code) { worker.PushTask(code); },
                                      [this](bool on) { worker.SetPolling(on); }}},
            own_state);
        const auto arrival = [this] {
            own->RebuildAndEnumerate();
            own->RefreshAndSelect();
        };
        worker.SetRoutine(hid::kTaskFindAndRead, arrival);
        worker.SetRoutine(hid::kTaskDeviceArrived, arrival);
        worker.SetRoutine(hid::kTaskDeviceRemoved, [this] { own->RefreshAndSelect(); });
        worker.SetNotificationRoutine([this] {
            std::array<uint8_t, 65> buffer{};
            int type = 0;
            manager.ReadNotification(buffer, type);
        });
        worker.Start();
    }
    ~HotplugWorkerTest() override {
        source.reset();
        worker.Stop();
    }

    bool WaitForCaption(int text) {
        const std::string wanted = "Caption " + std::to_string(text);
        for (int i = 0; i < 5000; ++i) {
            if (view.Last("Caption") == wanted && worker.QueuedCount() == 0) {
                return true;
            }
            std::this_thread::sleep_for(1ms);
        }
        return false;
    }

    DiscoveryState own_state;
    std::unique_ptr<DeviceDiscovery> own;
    hid::TaskWorker worker{&manager};
    std::unique_ptr<SimHotplugSource> source;
};

TEST_F(HotplugWorkerTest, PluggedMouseIsSelectedAndUnpluggedMouseLeaves) {
    worker.PushTask(hid::kTaskFindAndRead);
    ASSERT_TRUE(WaitForCaption(kCaptionNoDevice));
    EXPECT_FALSE(worker.Polling());
    source = std::make_unique<SimHotplugSource>(
        Mouse(kW1), [this](const HotplugEvent& event) { own->UpdateUSBDevice(event); });

    const auto plugged = std::chrono::steady_clock::now();
    Mouse(kW1).PlugReceiver(true);
    ASSERT_TRUE(WaitForCaption(kCaptionReceiver));
    RecordProperty("plug_to_caption_us",
                   static_cast<int>(std::chrono::duration_cast<std::chrono::microseconds>(
                                        std::chrono::steady_clock::now() - plugged)
                                        .count()));
    EXPECT_TRUE(worker.Polling());
    EXPECT_TRUE(own_state.DeviceConnected());
    EXPECT_EQ(own_state.CurrentDeviceType(), kW1);
    EXPECT_EQ(view.Last("SelectedCard"), "SelectedCard 101");

    Mouse(kW1).PlugCable(true);
    ASSERT_TRUE(WaitForCaption(kCaptionWired));

    Mouse(kW1).PlugCable(false);
    Mouse(kW1).PlugReceiver(false);
    ASSERT_TRUE(WaitForCaption(kCaptionNoDevice));
    EXPECT_FALSE(worker.Polling());
    EXPECT_FALSE(own_state.DeviceConnected());
}

}  // namespace
}  // namespace mousedeck::discovery::test
