#include "devices/discovery/hotplug_monitor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "devices/discovery/hidraw_usages.h"
#include "hid/report_descriptor.h"
#include "support/temp_home.h"

namespace mousedeck::discovery {
namespace {

using Clock = std::chrono::steady_clock;

// Works without hidraw devices or a udev daemon (a container): the monitor
// then hears nothing, but must start and stop all the same.
TEST(HotplugMonitor, StartsAndStopsPromptlyAndAgain) {
    std::atomic<int> events{0};
    HotplugMonitor monitor([&](const HotplugEvent&) { ++events; });
    EXPECT_FALSE(monitor.Running());
    monitor.Stop();  // not running: nothing to do

    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(monitor.Start()) << "round " << round;
        EXPECT_TRUE(monitor.Running());
        EXPECT_TRUE(monitor.Start()) << "a second start keeps the running thread";
        const auto before = Clock::now();
        monitor.Stop();
        const auto took = Clock::now() - before;
        EXPECT_FALSE(monitor.Running());
        RecordProperty("stop_us_round_" + std::to_string(round),
                       static_cast<int>(std::chrono::duration_cast<std::chrono::microseconds>(took).count()));
        EXPECT_LT(took, std::chrono::milliseconds(500)) << "the eventfd wakes the thread at once";
    }
}

TEST(HotplugMonitor, DestructionStopsARunningMonitor) {
    const auto before = Clock::now();
    {
        HotplugMonitor monitor([](const HotplugEvent&) {});
        ASSERT_TRUE(monitor.Start());
    }
    EXPECT_LT(Clock::now() - before, std::chrono::milliseconds(500));
}

TEST(HidrawUsages, PathsThatAreNotHidrawNodesAreNotAccepted) {
    const mousedeck::test::TempDir dir;
    mousedeck::test::WriteFile(dir / "plain", "not a device");
    EXPECT_FALSE(IsAcceptedHidPath((dir / "missing").string()));
    EXPECT_FALSE(IsAcceptedHidPath((dir / "plain").string()));
    EXPECT_FALSE(IsAcceptedHidPath("/dev/null"));
    EXPECT_FALSE(IsAcceptedHidPath(""));
}

TEST(HidrawUsages, SysfsDescriptorIsReadAsBytes) {
    const mousedeck::test::TempDir dir;
    const std::string bytes("\x06\x01\xFF\x09\x10\xA1\x01\x00\xC0", 9);  // a zero byte inside
    mousedeck::test::WriteFile(dir / "report_descriptor", bytes);
    const auto descriptor = ReadSysfsDescriptor(dir / "report_descriptor");
    EXPECT_EQ(descriptor.size(), bytes.size());
    EXPECT_EQ(hid::TopLevelUsages(descriptor), (std::vector<UsagePair>{{0xFF01, 0x0010}}));
    EXPECT_TRUE(ReadSysfsDescriptor(dir / "missing").empty());
}

}  // namespace
}  // namespace mousedeck::discovery
