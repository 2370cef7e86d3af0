#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "sim/command_handler.h"
#include "sim_test_support.h"

namespace mousedeck::sim::test {
namespace {

using Bytes = std::vector<uint8_t>;

struct FaultCase {
    const char* name;
    FaultRule rule;
    int write_result;               // for a 65-byte write
    int read_result;                // first read after the write, 30 ms time-out
    std::optional<uint8_t> status;  // reply byte 1 when a reply comes
    bool stored;                    // the set command took effect
};

const FaultRule kShort{FaultKind::kShortReply, 2, FaultTarget::kCommands, 2};

const std::vector<FaultCase> kCases = {
    {"write failure", {FaultKind::kWriteFailure, 2}, -1, 0, std::nullopt, false},
    {"no reply", {FaultKind::kNoReply, 2}, 65, 0, std::nullopt, false},
    {"nak", {FaultKind::kNak, 2}, 65, 64, kStatusRejected, false},
    {"garbage", {FaultKind::kGarbage, 2}, 65, 64, std::nullopt, false},
    {"short reply", kShort, 65, 2, kStatusOk, true},
    {"unplug", {FaultKind::kUnplug, 2}, 65, -1, std::nullopt, false},
};

// Three set-report-rate commands; the fault hits only the second.
TEST(SimFaultTest, FaultOnTheNthCommandHitsOnlyThatCommand) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        SimFixture sim;
        ASSERT_EQ(StatusOf(Exchange(*sim.wired, Frame(0x02, {0x02}))), kStatusOk);
        sim.mouse.AddFault(c.rule);
        ASSERT_EQ(StatusOf(Exchange(*sim.wired, Frame(0x02, {0x04}))), kStatusOk);  // first after the rule

        EXPECT_EQ(sim.wired->Write(Frame(0x02, {0x08})), c.write_result);
        Bytes reply(65, 0);
        EXPECT_EQ(sim.wired->Read(reply, 30), c.read_result);
        if (c.status) {
            EXPECT_EQ(reply[0], 0x02);
            EXPECT_EQ(reply[1], *c.status);
        }
        if (c.rule.kind == FaultKind::kGarbage) {
            EXPECT_NE(reply[1], 0x00);
            EXPECT_NE(reply[0], kConnectionNotification);
        }
        EXPECT_EQ(sim.mouse.State().PayloadOf(0x02)[0], c.stored ? 0x08 : 0x04);

        if (c.rule.kind == FaultKind::kUnplug) {
            EXPECT_FALSE(sim.mouse.State().cable_plugged);
            EXPECT_EQ(sim.wired->Write(Frame(0x02, {0x01})), -1);
            continue;
        }
        const Bytes next = Exchange(*sim.wired, Frame(0x02, {0x01}));  // the fault is used up
        ASSERT_EQ(next.size(), 64u);
        EXPECT_EQ(next[1], kStatusOk);
        EXPECT_EQ(sim.mouse.State().PayloadOf(0x02)[0], 0x01);
    }
}

TEST(SimFaultTest, FaultForEveryCommandLastsUntilCleared) {
    for (const auto& c : kCases) {
        if (c.rule.kind == FaultKind::kUnplug) {
            continue;  // the first hit removes the interface
        }
        SCOPED_TRACE(c.name);
        SimFixture sim;
        FaultRule always = c.rule;
        always.nth = 0;
        sim.mouse.AddFault(always);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(sim.wired->Write(Frame(0x02, {0x08})), c.write_result);
            Bytes reply(65, 0);
            EXPECT_EQ(sim.wired->Read(reply, 30), c.read_result);
        }
        sim.mouse.ClearFaults();
        EXPECT_EQ(StatusOf(Exchange(*sim.wired, ReadFrame(0x10))), kStatusOk);
    }
}

TEST(SimFaultTest, CommandFaultsLeaveTheBootLoaderAlone) {
    SimFixture sim;
    sim.mouse.AddFault({FaultKind::kWriteFailure, 0, FaultTarget::kCommands});
    auto boot = sim.OpenBootLoader(0);
    ASSERT_NE(boot, nullptr);
    Bytes begin(64, 0xFF);
    begin[0] = 0x05;
    begin[1] = 0x02;
    begin[2] = 0x02;
    begin[3] = 0x00;
    begin[4] = 0x01;
    EXPECT_EQ(boot->Write(begin), 64);
    EXPECT_EQ(sim.wired->Write(ReadFrame(0x10)), -1);
}

TEST(SimFaultTest, ReceiverWithItsMouseOffAnswersIdentityOnlyAndRefusesTheRest) {
    SimFixture sim;
    auto receiver = sim.OpenCommand(1);
    ASSERT_NE(receiver, nullptr);
    sim.mouse.SetMousePower(false);
    const Bytes off = ReadReport(*receiver);  // the drop-off notification
    ASSERT_EQ(off.size(), 64u);
    EXPECT_EQ(Bytes(off.begin(), off.begin() + 4), (Bytes{0xC0, 0x00, 0x00, 0x00}));

    const Bytes identity = Exchange(*receiver, ReadFrame(0x10));
    ASSERT_EQ(identity.size(), 64u);
    EXPECT_EQ(identity[1], kStatusOk);
    EXPECT_EQ(Bytes(identity.begin() + 4, identity.begin() + 8), (Bytes{'S', 'M', '0', '1'}));
    EXPECT_EQ(Bytes(identity.begin() + 12, identity.begin() + 15),
              (Bytes{0x00, 0x00, 0x00}));  // no battery, offline

    EXPECT_EQ(StatusOf(Exchange(*receiver, Frame(0x02, {0x08}))), kStatusMouseOffline);
    EXPECT_EQ(StatusOf(Exchange(*receiver, ReadFrame(0x12))), kStatusMouseOffline);
    EXPECT_NE(sim.mouse.State().PayloadOf(0x02)[0], 0x08);
    // The cable still reaches the mouse.
    EXPECT_EQ(StatusOf(Exchange(*sim.wired, Frame(0x02, {0x08}))), kStatusOk);
    EXPECT_EQ(ByteAt(Exchange(*sim.wired, ReadFrame(0x10)), 14), 0x01);
}

}  // namespace
}  // namespace mousedeck::sim::test
