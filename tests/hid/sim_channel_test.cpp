#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "sim/boot_loader.h"
#include "sim_fixture.h"

namespace mousedeck::hid::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

CommandFrame SetReportRate(uint8_t code) {
    CommandFrame frame;
    frame[1] = 0x02;
    frame[3] = 0x01;
    frame[4] = 0x01;
    frame[5] = code;
    return frame;
}

CommandFrame ReadCommand(uint8_t code) {
    CommandFrame frame;
    frame[1] = code;
    return frame;
}

void WaitUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 1000 && !done(); ++i) {
        std::this_thread::sleep_for(1ms);
    }
}

class SimChannelTest : public SimFixture {};

TEST_F(SimChannelTest, EnumerationTakesOnlyTheCommandInterfaces) {
    DeviceManager& m = Open();
    m.SetCurrentDeviceType(0);
    const auto all = m.InterfacesOfCurrentType();
    ASSERT_EQ(all.size(), 2u) << "pointer, keyboard and boot-loader are skipped";
    for (const HidInterface& i : all) {
        EXPECT_EQ(i.device_type, Type());
        EXPECT_EQ(i.device_id, mouse.product().device_id);
        EXPECT_NE(i.path.find(":2"), std::string::npos) << i.path << " is USB interface 2";
    }
    EXPECT_EQ(all[0].connection_mode, kWiredMode);
    EXPECT_EQ(all[0].release_number, mouse.product().firmware);
    EXPECT_EQ(all[1].connection_mode, kDongleMode);
    EXPECT_EQ(all[1].release_number, mouse.product().receiver_firmware);
    m.SetCurrentDeviceType(Type());
    EXPECT_EQ(m.SelectInterface()->connection_mode, kWiredMode) << "the cable wins";
    EXPECT_EQ(m.ConnectionKind(), kWiredMode);
}

TEST(SimEnumerationTest, GenericDesktopCommandCollectionIsAcceptedToo) {
    sim::SimProduct product = sim::DefaultProduct();
    for (sim::SimMode& mode : product.modes) {
        mode.command_usage = sim::CommandUsage::kGenericDesktop;
    }
    sim::SimulatedMouse mouse(product, sim::SimOptions{});
    sim::SimulatedHidBackend backend(mouse);
    DeviceManager m(backend, FastTiming());
    for (const sim::SimMode& mode : product.modes) {
        m.AddRule({mode.vendor_id, mode.product_id, product.device_type, mode.mode, product.device_id});
    }
    m.Enumerate();
    m.SetCurrentDeviceType(product.device_type);
    EXPECT_EQ(m.InterfacesOfCurrentType().size(), 2u);
}

TEST_F(SimChannelTest, SetThenReadBackThroughCableAndReceiver) {
    for (bool cable : {true, false}) {
        mouse.PlugCable(cable);
        DeviceManager& m = Open();
        ASSERT_EQ(m.ConnectionKind(), cable ? kWiredMode : kDongleMode);
        const uint8_t code = cable ? 0x04 : 0x08;
        CommandFrame set = SetReportRate(code);
        ASSERT_TRUE(m.Send(set, 65)) << "checksum accepted, cable " << cable;
        EXPECT_EQ(set[0], 0x02);
        CommandFrame read = ReadCommand(0x12);
        ASSERT_TRUE(m.Send(read, 33));
        EXPECT_EQ(read[4], code) << "payload from byte 4";
        manager.reset();
    }
}

TEST_F(SimChannelTest, ReceiverWhoseMouseIsOffCarriesNoCommands) {
    mouse.PlugCable(false);
    DeviceManager& m = Open();
    ASSERT_TRUE(m.SelectInterface());

    mouse.SetMousePower(false);  // C0 00 through the receiver
    std::array<uint8_t, 65> buffer{};
    int type = 0;
    WaitUntil([&] { return m.NotificationPending(); });
    ASSERT_TRUE(m.ReadNotification(buffer, type));
    ASSERT_EQ(buffer[0], 0xC0);
    ASSERT_EQ(buffer[1], 0x00);
    // What the notification handler does with it.
    m.SetOnlineState(type, kDongleMode, kOfflineByNotification);
    m.ClearSelection();
    EXPECT_FALSE(m.SelectInterface());
    CommandFrame frame = SetReportRate(0x02);
    EXPECT_FALSE(m.Send(frame, 65));
    EXPECT_FALSE(m.IsIdentified(Type()));

    mouse.SetMousePower(true);  // C0 01: the receiver path brings it back
    WaitUntil([&] { return m.NotificationPending(); });
    EXPECT_FALSE(m.ReadNotification(buffer, type));
    EXPECT_EQ(buffer[0], 0xC0);
    EXPECT_EQ(buffer[1], 0x01);
    EXPECT_EQ(type, Type());
    EXPECT_TRUE(m.IsIdentified(Type()));
    ASSERT_TRUE(m.SelectInterface());
    EXPECT_TRUE(m.Send(frame, 65));
}

struct FaultCase {
    const char* name;
    sim::FaultRule rule;
    bool ok;
    bool waits;        // runs to the reply bound
    bool next_works;   // the following command succeeds
};

TEST_F(SimChannelTest, EveryFaultKnob) {
    const std::vector<FaultCase> cases = {
        {"write failure", {sim::FaultKind::kWriteFailure, 1}, false, false, true},
        {"no reply", {sim::FaultKind::kNoReply, 1}, false, true, true},
        {"NAK", {sim::FaultKind::kNak, 1}, false, true, true},
        {"garbage", {sim::FaultKind::kGarbage, 1}, false, true, true},
        {"short reply with the status", {sim::FaultKind::kShortReply, 1, sim::FaultTarget::kCommands, 2}, true,
         false, true},
        {"one-byte reply", {sim::FaultKind::kShortReply, 1, sim::FaultTarget::kCommands, 1}, false, true, true},
        {"unplug in the exchange", {sim::FaultKind::kUnplug, 1}, false, false, false},
    };
    const ExchangeTiming timing = FastTiming();
    const auto bound = timing.reply_wait * timing.reply_attempts;
    for (const FaultCase& c : cases) {
        sim::SimulatedMouse local(sim::DefaultProduct(), sim::SimOptions{});
        local.PlugReceiver(false);
        sim::SimulatedHidBackend local_backend(local);
        DeviceManager m(local_backend, timing);
        for (const sim::SimMode& mode : local.product().modes) {
            m.AddRule({mode.vendor_id, mode.product_id, Type(), mode.mode, local.product().device_id});
        }
        m.Enumerate();
        m.SetCurrentDeviceType(Type());
        local.AddFault(c.rule);

        CommandFrame frame = SetReportRate(0x04);
        const auto start = Clock::now();
        EXPECT_EQ(m.Send(frame, 65), c.ok) << c.name;
        const auto took = Clock::now() - start;
        if (c.waits) {
            EXPECT_GE(took, bound / 2) << c.name;
        }
        EXPECT_LT(took, bound * 3) << c.name;
        if (!c.ok && c.rule.kind == sim::FaultKind::kNak) {
            EXPECT_EQ(frame[1], 0x05) << "the frame holds the refusal";
        }
        if (c.rule.kind == sim::FaultKind::kNoReply || c.rule.kind == sim::FaultKind::kWriteFailure) {
            EXPECT_EQ(frame[1], 0x02) << c.name << ": the frame holds the request";
        }
        CommandFrame next = SetReportRate(0x02);
        EXPECT_EQ(m.Send(next, 65), c.next_works) << c.name;
        if (c.next_works) {
            CommandFrame read = ReadCommand(0x12);
            ASSERT_TRUE(m.Send(read, 33)) << c.name;
            EXPECT_EQ(read[4], 0x02) << c.name << ": the next command's reply is its own";
        } else {
            WaitUntil([&] { return m.LostCount() > 0; });
            EXPECT_EQ(m.LostCount(), 1u) << c.name;
            EXPECT_FALSE(m.SelectInterface()) << c.name;
        }
    }
}

TEST_F(SimChannelTest, LateReplyIsNotTheNextCommandsReply) {
    mouse.PlugReceiver(false);
    DeviceManager& m = Open();
    const ExchangeTiming timing = FastTiming();
    mouse.SetReplyLatency(timing.reply_wait * timing.reply_attempts + 30ms);
    CommandFrame slow = SetReportRate(0x04);
    ASSERT_FALSE(m.Send(slow, 65)) << "the acknowledgement comes after the bound";

    mouse.SetReplyLatency(std::chrono::milliseconds(40));  // the late one lands first
    CommandFrame read = ReadCommand(0x12);
    ASSERT_TRUE(m.Send(read, 33));
    EXPECT_EQ(read[0], 0x12) << "its own reply, not the late 0x02 acknowledgement";
    EXPECT_EQ(read[4], 0x04) << "the slow command was done all the same";
}

TEST_F(SimChannelTest, BootLoaderTakesUpgradeReports) {
    DeviceManager& m = Open();
    const auto ids = m.SelectedIds();
    ASSERT_TRUE(ids);
    ASSERT_TRUE(m.OpenUpgradeInterface(ids->vendor_id, ids->product_id));

    std::array<uint8_t, 64> begin{};
    begin.fill(0xFF);
    const uint8_t head[] = {0x05, 0x02, 0x02, 0x00, 0x01};
    std::copy(std::begin(head), std::end(head), begin.begin());
    EXPECT_TRUE(m.UpgradeExchange(begin));
    EXPECT_EQ(mouse.BootLoaderStatus(), sim::kBootOk);

    // A refused write is retried once and followed by a read of the answer.
    mouse.AddFault({sim::FaultKind::kWriteFailure, 1, sim::FaultTarget::kBootLoader});
    std::array<uint8_t, 64> again = begin;
    EXPECT_TRUE(m.UpgradeExchange(again));
    EXPECT_EQ(again[0], 0x05);
    EXPECT_EQ(again[1], sim::kBootOk);
}

}  // namespace
}  // namespace mousedeck::hid::test
