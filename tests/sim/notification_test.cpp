#include <gtest/gtest.h>

#include <vector>

#include "sim/command_handler.h"
#include "sim_test_support.h"

namespace mousedeck::sim::test {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Head(const Bytes& report, std::size_t n) {
    return Bytes(report.begin(), report.begin() + static_cast<std::ptrdiff_t>(std::min(n, report.size())));
}

TEST(SimNotificationTest, DpiButtonStepsThroughTheStagesAndWraps) {
    SimFixture sim;
    // Three stages, the second active.
    Bytes stages(25, 0);
    stages[0] = 0x13;
    ASSERT_EQ(StatusOf(Exchange(*sim.wired, FrameOf(0x03, stages, 0x01, 0x25))), kStatusOk);

    for (const uint8_t expected : {0x23, 0x03, 0x13, 0x23}) {
        EXPECT_EQ(sim.mouse.PressDpiButton(), expected);
        EXPECT_EQ(Head(ReadReport(*sim.wired), 3), (Bytes{0xC2, expected, 0x00}));
    }
    // The stored stage follows the button.
    EXPECT_EQ(ByteAt(Exchange(*sim.wired, ReadFrame(0x13)), 4), 0x23);
}

TEST(SimNotificationTest, DpiReportGoesOverTheCableElseOverTheReceiver) {
    SimFixture sim;
    auto receiver = sim.OpenCommand(1);
    ASSERT_NE(receiver, nullptr);
    ASSERT_TRUE(sim.mouse.PressDpiButton());
    EXPECT_EQ(ByteAt(ReadReport(*sim.wired), 0), 0xC2);
    EXPECT_TRUE(ReadReport(*receiver, 20).empty());

    sim.mouse.PlugCable(false);
    ASSERT_TRUE(sim.mouse.PressDpiButton());
    EXPECT_EQ(ByteAt(ReadReport(*receiver), 0), 0xC2);

    sim.mouse.SetMousePower(false);
    ASSERT_EQ(ByteAt(ReadReport(*receiver), 0), 0xC0);
    const uint8_t before = sim.mouse.State().StageByte();
    EXPECT_FALSE(sim.mouse.PressDpiButton());  // off and not on the cable
    EXPECT_EQ(sim.mouse.State().StageByte(), before);
    EXPECT_TRUE(ReadReport(*receiver, 20).empty());
}

TEST(SimNotificationTest, PowerAndBatteryChangesReachTheReceiverAsConnectionReports) {
    SimFixture sim;
    auto receiver = sim.OpenCommand(1);
    ASSERT_NE(receiver, nullptr);
    sim.mouse.SetBattery(0x01, 0x2A);  // identity bytes 12, 13
    EXPECT_EQ(Head(ReadReport(*receiver), 4), (Bytes{0xC0, 0x01, 0x2A, 0x01}));
    sim.mouse.SetMousePower(false);
    EXPECT_EQ(Head(ReadReport(*receiver), 4), (Bytes{0xC0, 0x00, 0x00, 0x00}));
    sim.mouse.SetMousePower(false);  // no change, no report
    EXPECT_TRUE(ReadReport(*receiver, 20).empty());
    sim.mouse.SetBattery(0x00, 0x10);  // off: nothing to report
    EXPECT_TRUE(ReadReport(*receiver, 20).empty());
    sim.mouse.SetMousePower(true);
    EXPECT_EQ(Head(ReadReport(*receiver), 4), (Bytes{0xC0, 0x01, 0x10, 0x00}));
    // The identity reply carries the same battery, in its own order.
    const Bytes identity = Exchange(*receiver, ReadFrame(0x10));
    ASSERT_EQ(identity.size(), 64u);
    EXPECT_EQ(Bytes(identity.begin() + 12, identity.begin() + 15), (Bytes{0x00, 0x10, 0x01}));
    // The cable hears no connection reports.
    EXPECT_TRUE(ReadReport(*sim.wired, 20).empty());
}

TEST(SimNotificationTest, NotificationArrivingBeforeADelayedReplyIsReadFirst) {
    SimFixture sim;
    sim.mouse.SetReplyLatency(std::chrono::milliseconds(30));
    ASSERT_EQ(sim.wired->Write(ReadFrame(0x20)), 65);
    ASSERT_TRUE(sim.mouse.PressDpiButton());
    EXPECT_EQ(ByteAt(ReadReport(*sim.wired), 0), 0xC2);
    EXPECT_EQ(ByteAt(ReadReport(*sim.wired), 0), 0x20);
}

TEST(SimNotificationTest, InjectedReportArrivesOnThatModesCommandInterface) {
    SimFixture sim;
    const Bytes report = {0xC0, 0x01, 0x55, 0x01};
    EXPECT_TRUE(sim.mouse.InjectInputReport(0, report));
    EXPECT_EQ(ReadReport(*sim.wired), report);
    sim.mouse.PlugReceiver(false);
    EXPECT_FALSE(sim.mouse.InjectInputReport(1, report));
}

}  // namespace
}  // namespace mousedeck::sim::test
