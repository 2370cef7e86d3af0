#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/command_handler.h"
#include "sim/state_text.h"
#include "sim_test_support.h"
#include "support/temp_home.h"

namespace mousedeck::sim::test {
namespace {

using Bytes = std::vector<uint8_t>;
using mousedeck::test::TempDir;

Bytes Head(const Bytes& report, std::size_t n) {
    return Bytes(report.begin(), report.begin() + static_cast<std::ptrdiff_t>(std::min(n, report.size())));
}

SimOptions OnFile(const std::string& path) {
    SimOptions options = QuietOptions();
    options.state_path = path;
    return options;
}

// Opens the command interface of `mode` of the mouse behind `backend`.
std::unique_ptr<hid::HidHandle> OpenCommand(SimulatedHidBackend& backend, int mode) {
    const auto info = FindInterface(backend, DefaultProduct(), mode, 0xFF01, 0x0010);
    return backend.Open(info.path);
}

// A separate process acting on the mouse (a command-line "sim" command):
// it opens nothing, so what the mouse sends reaches nobody at once.
class OwedReportTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = (dir / "mouse.state").string();
};

TEST_F(OwedReportTest, ReportNobodyReadsGoesToTheNextHostThatOpensTheInterface) {
    uint8_t pressed = 0;
    {
        SimulatedMouse user(DefaultProduct(), OnFile(path));
        pressed = user.PressDpiButton().value_or(0);
        ASSERT_NE(pressed, 0);
    }
    SimulatedMouse next(DefaultProduct(), OnFile(path));
    SimulatedHidBackend backend(next);
    auto receiver = OpenCommand(backend, 1);
    ASSERT_NE(receiver, nullptr);
    EXPECT_TRUE(ReadReport(*receiver, 20).empty());  // the cable carried it
    auto cable = OpenCommand(backend, 0);
    ASSERT_NE(cable, nullptr);
    EXPECT_EQ(Head(ReadReport(*cable), 2), (Bytes{kDpiNotification, pressed}));
    EXPECT_TRUE(next.State().owed.empty());

    // Taken once: a later host meets no report.
    SimulatedMouse later(DefaultProduct(), OnFile(path));
    SimulatedHidBackend later_backend(later);
    auto again = OpenCommand(later_backend, 0);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(ReadReport(*again, 20).empty());
}

TEST_F(OwedReportTest, LatestReportOfAKindSupersedesTheEarlierOne) {
    SimulatedMouse user(DefaultProduct(), OnFile(path));
    user.PlugCable(false);  // the mouse now talks over the air
    user.PressDpiButton();
    const uint8_t second = user.PressDpiButton().value_or(0);
    user.SetBattery(0x00, 0x50);
    user.SetMousePower(false);
    const auto owed = user.State().owed;
    ASSERT_EQ(owed.size(), 2u);
    EXPECT_EQ(owed[0].mode, 1);
    EXPECT_EQ(Head(owed[0].bytes, 2), (Bytes{kDpiNotification, second}));
    EXPECT_EQ(Head(owed[1].bytes, 4), (Bytes{kConnectionNotification, 0x00, 0x00, 0x00}));

    // Nothing is owed on a connection that is not plugged in.
    user.PlugReceiver(false);
    user.SetMousePower(true);
    EXPECT_EQ(user.State().owed.size(), 2u);
}

TEST_F(OwedReportTest, WithoutAStateFileNothingIsKeptForLater) {
    SimFixture sim;
    sim.mouse.SetMousePower(false);  // no receiver reader is open
    EXPECT_TRUE(sim.mouse.State().owed.empty());
    auto receiver = sim.OpenCommand(1);
    ASSERT_NE(receiver, nullptr);
    EXPECT_TRUE(ReadReport(*receiver, 20).empty());
}

TEST_F(OwedReportTest, RunningReaderGetsAnotherProcesssChangeOnceWhenItFollowsTheFile) {
    SimulatedMouse host(DefaultProduct(), OnFile(path));
    SimulatedHidBackend backend(host);
    auto cable = OpenCommand(backend, 0);
    auto receiver = OpenCommand(backend, 1);
    ASSERT_NE(cable, nullptr);
    ASSERT_NE(receiver, nullptr);

    uint8_t pressed = 0;
    {
        SimulatedMouse user(DefaultProduct(), OnFile(path));
        pressed = user.PressDpiButton().value_or(0);
        user.SetMousePower(false);
    }
    EXPECT_TRUE(ReadReport(*cable, 20).empty());  // not before the host looks
    host.FollowStateFile();
    EXPECT_EQ(Head(ReadReport(*cable), 2), (Bytes{kDpiNotification, pressed}));
    EXPECT_EQ(Head(ReadReport(*receiver), 2), (Bytes{kConnectionNotification, 0x00}));
    EXPECT_TRUE(ReadReport(*receiver, 20).empty());  // the power change is reported once
    EXPECT_FALSE(host.State().mouse_on);
    EXPECT_TRUE(host.State().owed.empty());
}

TEST_F(OwedReportTest, IdentityBytesChangedByOneProcessAreAnsweredByTheNext) {
    {
        SimulatedMouse user(DefaultProduct(), OnFile(path));
        user.SetSensorCode(38);
        user.SetHighestRate(0x20);
    }
    SimFixture next(DefaultProduct(), OnFile(path));
    const Bytes identity = Exchange(*next.wired, ReadFrame(kIdentity));
    EXPECT_EQ(ByteAt(identity, 10), 38);
    EXPECT_EQ(ByteAt(identity, 11), 0x20);
    // A factory reset restores settings, not the hardware.
    ASSERT_EQ(StatusOf(Exchange(*next.wired, Frame(0x0F, {0xFF}))), kStatusOk);
    EXPECT_EQ(ByteAt(Exchange(*next.wired, ReadFrame(kIdentity)), 10), 38);
}

TEST_F(OwedReportTest, StateTextKeepsTheNewFieldsAndRejectsBrokenOnes) {
    MouseState state = MouseState::Factory(DefaultProduct());
    state.sensor_code = 150;
    state.highest_rate = 0x40;
    state.Owe(0, DpiNotification(0x26));
    state.Owe(1, ConnectionNotification(true, {0x01, 0x20}));
    const auto back = StateFromText(StateToText(state));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, state);

    const std::string good = StateToText(MouseState::Factory(DefaultProduct()));
    for (const char* line : {"owed 02 C2 21\n", "owed 00\n", "sensor 11 12\n", "max_rate\n"}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(StateFromText(good + line));
    }
}

}  // namespace
}  // namespace mousedeck::sim::test
