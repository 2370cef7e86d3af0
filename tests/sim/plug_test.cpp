#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "sim/command_handler.h"
#include "sim_test_support.h"

namespace mousedeck::sim::test {
namespace {

using Bytes = std::vector<uint8_t>;

struct Seen {
    PlugEvent::Kind kind;
    uint16_t product_id;
    uint16_t usage_page;
    uint16_t usage;
    int interface_number;
    bool operator==(const Seen&) const = default;
};

class SimPlugTest : public ::testing::Test {
protected:
    SimPlugTest() {
        listener_ = sim_.mouse.AddPlugListener([this](const PlugEvent& e) {
            seen_.push_back(
                {e.kind, e.info.product_id, e.info.usage_page, e.info.usage, e.info.interface_number});
            paths_.push_back(e.info.path);
        });
    }

    std::vector<Seen> Expected(PlugEvent::Kind kind, uint16_t pid) const {
        return {{kind, pid, 0x0001, 0x0002, 0},
                {kind, pid, 0x0001, 0x0006, 1},
                {kind, pid, 0xFF01, 0x0010, 2},
                {kind, pid, 0xFFEF, 0x0000, 3}};
    }

    SimFixture sim_;
    int listener_ = 0;
    std::vector<Seen> seen_;
    std::vector<std::string> paths_;
};

TEST_F(SimPlugTest, UnplugAndReplugReportEveryInterfaceOfThatMode) {
    const uint16_t wired_pid = sim_.mouse.product().ModeOf(0)->product_id;
    const uint16_t receiver_pid = sim_.mouse.product().ModeOf(1)->product_id;
    sim_.mouse.PlugCable(false);
    EXPECT_EQ(seen_, Expected(PlugEvent::Kind::kRemoval, wired_pid));
    seen_.clear();
    sim_.mouse.PlugCable(false);  // already out: nothing
    EXPECT_TRUE(seen_.empty());
    sim_.mouse.PlugReceiver(false);
    sim_.mouse.PlugReceiver(true);
    auto expected = Expected(PlugEvent::Kind::kRemoval, receiver_pid);
    const auto arrival = Expected(PlugEvent::Kind::kArrival, receiver_pid);
    expected.insert(expected.end(), arrival.begin(), arrival.end());
    EXPECT_EQ(seen_, expected);
    // The paths of an event are the paths enumeration gives.
    for (const auto& info : sim_.backend.Enumerate(0, 0)) {
        EXPECT_NE(std::find(paths_.begin(), paths_.end(), info.path), paths_.end()) << info.path;
    }
}

TEST_F(SimPlugTest, UnpluggedInterfacesFailAndVanishAndReturnWithThePlug) {
    Bytes buffer(65);
    std::thread blocked([&] { EXPECT_EQ(sim_.wired->Read(buffer, 5000), -1); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    sim_.mouse.PlugCable(false);
    blocked.join();  // a blocked read fails at once
    EXPECT_EQ(sim_.wired->Write(ReadFrame(0x10)), -1);
    EXPECT_EQ(sim_.backend.Enumerate(0, 0).size(), 4u);  // the receiver's
    EXPECT_EQ(sim_.OpenCommand(0), nullptr);

    sim_.mouse.PlugCable(true);
    auto wired = sim_.OpenCommand(0);
    ASSERT_NE(wired, nullptr);
    EXPECT_EQ(StatusOf(Exchange(*wired, ReadFrame(0x10))), kStatusOk);
    EXPECT_EQ(sim_.wired->Write(ReadFrame(0x10)), -1);  // the old handle stays dead
}

TEST_F(SimPlugTest, ListenerMayCallBackIntoTheSimulator) {
    std::size_t enumerated = 0;
    sim_.mouse.AddPlugListener([&](const PlugEvent& e) {
        if (e.kind == PlugEvent::Kind::kArrival) {
            enumerated = sim_.backend.Enumerate(0, 0).size();
        }
    });
    sim_.mouse.PlugCable(false);
    sim_.mouse.PlugCable(true);
    EXPECT_EQ(enumerated, 8u);
}

TEST_F(SimPlugTest, RemovedListenerHearsNothing) {
    sim_.mouse.RemovePlugListener(listener_);
    sim_.mouse.PlugReceiver(false);
    EXPECT_TRUE(seen_.empty());
}

TEST_F(SimPlugTest, WiredOnlyProductHasNoReceiverToPlug) {
    SimProduct product = DefaultProduct();
    product.modes.resize(1);
    SimulatedMouse mouse(product, QuietOptions());
    SimulatedHidBackend backend(mouse);
    mouse.PlugReceiver(true);
    EXPECT_EQ(backend.Enumerate(0, 0).size(), 4u);
    EXPECT_FALSE(mouse.State().receiver_plugged);
}

}  // namespace
}  // namespace mousedeck::sim::test
