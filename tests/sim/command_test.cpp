#include <gtest/gtest.h>

#include <vector>

#include "sim/command_handler.h"
#include "sim_test_support.h"

namespace mousedeck::sim::test {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Head(const Bytes& reply, std::size_t n) {
    return Bytes(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(std::min(n, reply.size())));
}

TEST(SimCommandTest, IdentityReplyCarriesIdSensorRateBatteryAndOnline) {
    SimProduct product = DefaultProduct();
    product.device_id = "Ab9z";
    product.sensor_code = 25;
    product.highest_rate = 0x20;
    product.battery = {0x01, 0x57};
    SimFixture sim(product);
    ASSERT_NE(sim.wired, nullptr);

    const Bytes reply = Exchange(*sim.wired, ReadFrame(0x10));
    ASSERT_EQ(reply.size(), 64u);  // a read drops nothing: the input report has no id
    EXPECT_EQ(Head(reply, 15),
              (Bytes{0x10, 0x00, 0x00, 0x00, 'A', 'b', '9', 'z', 0x00, 0x00, 25, 0x20, 0x01, 0x57, 0x01}));
}

TEST(SimCommandTest, WrongChecksumIsRefusedAndStoresNothing) {
    SimFixture sim;
    const MouseState before = sim.mouse.State();
    struct Case {
        const char* name;
        Bytes frame;
    };
    Bytes off_by_one = Frame(0x02, {0x08});
    off_by_one[32] ^= 0x01;
    Bytes payload_changed = Frame(0x07, {30, 1, 1, 8});
    payload_changed[31] = 0x01;  // byte 31 is covered by the checksum
    Bytes identity_bad = ReadFrame(0x10);
    identity_bad[32] = 0x10;
    for (const auto& c :
         std::vector<Case>{{"rate", off_by_one}, {"power", payload_changed}, {"identity", identity_bad}}) {
        const Bytes reply = Exchange(*sim.wired, c.frame);
        ASSERT_GE(reply.size(), 2u) << c.name;
        EXPECT_EQ(reply[0], c.frame[1]) << c.name;
        EXPECT_EQ(reply[1], kStatusBadChecksum) << c.name;
    }
    EXPECT_EQ(sim.mouse.State(), before);
}

TEST(SimCommandTest, ChecksumIgnoresBytesOneToFourAndAfter32) {
    SimFixture sim;
    // Bytes outside 5..31 may hold anything without changing the checksum.
    Bytes frame = Frame(0x02, {0x04});
    frame[2] = 0x77;
    frame[40] = 0x99;
    EXPECT_EQ(StatusOf(Exchange(*sim.wired, frame)), kStatusOk);
    EXPECT_EQ(sim.mouse.State().PayloadOf(0x02)[0], 0x04);
}

// Every set command is acknowledged and its payload comes back, one byte
// lower, from the read command 0x10 above it.
TEST(SimCommandTest, SetThenReadAnswersTheStoredPayload) {
    struct Case {
        uint8_t set;
        Bytes payload;
        int length;  // the length byte as the host sends it
    };
    const std::vector<Case> cases = {
        {0x02, {0x01}, 1},
        {0x03,
         {0x23, 0x0F, 0x00, 0x0F, 0x00, 0x1F, 0x00, 0x1F, 0x00, 0x3F, 0x00, 0x3F, 0x00,
          0x7F, 0x00, 0x7F, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xDC, 0x00, 0xDC, 0x00},
         0x25},
        {0x04, {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 18},
        {0x05,
         {0x02, 0x42, 0x07, 0xFF, 0,    0,    0,    0xFF, 0,    0,    0,    0xFF,
          0xFF, 0xFF, 0,    0,    0xFF, 0xFF, 0xFF, 0,    0xFF, 0xFF, 0xFF, 0xFF},
         24},
        {0x06, {0x02, 0x00, 0x01, 0x00, 0x00}, 5},
        {0x07, {0x1E, 0x01, 0x01, 0x08}, 4},
    };
    SimFixture sim;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "set 0x" << std::hex << int(c.set));
        const Bytes ack = Exchange(*sim.wired, FrameOf(c.set, c.payload, 0x01, c.length));
        ASSERT_EQ(ack.size(), 64u);
        EXPECT_EQ(Head(ack, 2), (Bytes{c.set, 0x00}));

        const Bytes reply = Exchange(*sim.wired, ReadFrame(static_cast<uint8_t>(c.set + 0x10)));
        ASSERT_EQ(reply.size(), 64u);
        EXPECT_EQ(reply[1], 0x00);
        Bytes expected(27, 0);
        std::copy(c.payload.begin(), c.payload.end(), expected.begin());
        EXPECT_EQ(Bytes(reply.begin() + 4, reply.begin() + 31), expected);
    }
}

TEST(SimCommandTest, PowerCommandFromTheHostsExampleFrame) {
    // The frame a host sends for sleep 30, wake-on-move, lights-off-on-move,
    // debounce 8: checksum 0x28.
    SimFixture sim;
    Bytes frame(65, 0);
    const Bytes head = {0x00, 0x07, 0x00, 0x01, 0x04, 0x1E, 0x01, 0x01, 0x08};
    std::copy(head.begin(), head.end(), frame.begin());
    frame[32] = 0x28;
    EXPECT_EQ(StatusOf(Exchange(*sim.wired, frame)), kStatusOk);
    const Bytes read = Exchange(*sim.wired, ReadFrame(0x17));
    ASSERT_EQ(read.size(), 64u);
    EXPECT_EQ(Bytes(read.begin() + 4, read.begin() + 8), (Bytes{0x1E, 0x01, 0x01, 0x08}));
}

TEST(SimCommandTest, ShortWritesArePaddedAndLongOrNumberedOnesFail) {
    SimFixture sim;
    Bytes frame = Frame(0x02, {0x02});
    frame.resize(33);  // the checksum is byte 32, the last of a 33-byte write
    EXPECT_EQ(sim.wired->Write(frame), 33);
    EXPECT_EQ(ByteAt(ReadReport(*sim.wired), 1), kStatusOk);

    Bytes numbered = Frame(0x02, {0x02});
    numbered[0] = 0x01;
    EXPECT_EQ(sim.wired->Write(numbered), -1);
    EXPECT_EQ(sim.wired->Write(Bytes(66, 0)), -1);
    EXPECT_EQ(sim.wired->Write(Bytes{}), -1);
    EXPECT_TRUE(ReadReport(*sim.wired, 20).empty());
}

TEST(SimCommandTest, ReadsAnswerWhatOtherCommandsAsk) {
    struct Case {
        Bytes frame;
        Bytes head;  // expected reply bytes 0..5
    };
    const std::vector<Case> cases = {
        {ReadFrame(0x11), {0x11, 0x00, 0, 0, 0, 0}},
        {ReadFrame(0x20), {0x20, 0x00, 0, 0, 0x01, 0x05}},  // release 0x0105
        {ReadFrame(0x18), {0x18, kStatusUnknownCommand, 0, 0, 0, 0}},
        {ReadFrame(0x01), {0x01, kStatusUnknownCommand, 0, 0, 0, 0}},
        {Frame(0x0F, {0x00}), {0x0F, kStatusBadPayload, 0, 0, 0, 0}},
        {Frame(0x0E, {0x02}), {0x0E, kStatusBadPayload, 0, 0, 0, 0}},
    };
    SimFixture sim;
    for (const auto& c : cases) {
        EXPECT_EQ(Head(Exchange(*sim.wired, c.frame), 6), c.head) << "code " << int(c.frame[1]);
    }
}

TEST(SimCommandTest, FactoryResetAndRestoreLightingBringBackWhatWasShipped) {
    SimFixture sim;
    const MouseState factory = sim.mouse.State();
    ASSERT_EQ(StatusOf(Exchange(*sim.wired, Frame(0x02, {0x08}))), kStatusOk);
    ASSERT_EQ(StatusOf(Exchange(*sim.wired, Frame(0x05, {0x00, 0x11}))), kStatusOk);
    ASSERT_EQ(StatusOf(Exchange(*sim.wired, Frame(0x09, {0x60, 0x00, 0x00}, 0x01, 15))), kStatusOk);
    ASSERT_EQ(StatusOf(Exchange(*sim.wired, Frame(0x08, {0x03, 0x30, 0x01, 0x00, 0x04}))), kStatusOk);

    ASSERT_EQ(StatusOf(Exchange(*sim.wired, Frame(0x0E, {0x01}))), kStatusOk);
    MouseState state = sim.mouse.State();
    EXPECT_EQ(state.PayloadOf(0x05), factory.PayloadOf(0x05));
    EXPECT_EQ(state.PayloadOf(0x02)[0], 0x08);  // only the lighting went back

    ASSERT_EQ(StatusOf(Exchange(*sim.wired, Frame(0x0F, {0xFF}))), kStatusOk);
    EXPECT_EQ(sim.mouse.State(), factory);
}

TEST(SimCommandTest, ButtonSlotsKeepAllNineSlotsWhateverTheLengthByte) {
    SimFixture sim;
    const MouseState factory = sim.mouse.State();
    // Factory slots: primary, secondary, middle, backward, forward, DPI cycle.
    const Payload factory_slots = factory.PayloadOf(0x09);
    EXPECT_EQ(Bytes(factory_slots.begin(), factory_slots.begin() + 18),
              (Bytes{0x10, 0x01, 0x00, 0x10, 0x02, 0x00, 0x10, 0x04, 0x00, 0x10, 0x08, 0x00, 0x10, 0x10, 0x00,
                     0x40, 0x01, 0x00}));
    Bytes slots(27, 0);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        slots[i] = static_cast<uint8_t>(0x40 + i);
    }
    ASSERT_EQ(StatusOf(Exchange(*sim.wired, FrameOf(0x09, slots, 0x01, 0x0F))), kStatusOk);
    const Payload stored = sim.mouse.State().PayloadOf(0x09);
    EXPECT_EQ(Bytes(stored.begin(), stored.end()), slots);
}

}  // namespace
}  // namespace mousedeck::sim::test
