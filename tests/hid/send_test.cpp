#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>

#include "hid_fixture.h"

namespace mousedeck::hid::test {
namespace {

using Clock = std::chrono::steady_clock;

CommandFrame ReportRateFrame() {
    CommandFrame frame;
    frame[1] = 0x02;
    frame[3] = 0x01;
    frame[4] = 0x01;
    frame[5] = 0x08;
    frame[40] = 0x33;  // beyond the checksum range
    return frame;
}

class SendTest : public HidFixture {};

TEST_F(SendTest, NothingHappensWithoutAnOpenedManagerOrAValidLength) {
    AddWired();
    DeviceManager& m = Manager();
    CommandFrame frame = ReportRateFrame();
    const CommandFrame before = frame;
    EXPECT_FALSE(m.Send(frame, 65)) << "not opened";
    EXPECT_EQ(frame.bytes, before.bytes) << "the frame is not touched";

    m.Enumerate();
    m.SetCurrentDeviceType(kProductType);
    EXPECT_FALSE(m.Send(frame, 32)) << "too short for the checksum byte";
    EXPECT_FALSE(m.Send(frame, 66));
    EXPECT_EQ(backend.OpenCount(), 1);
    m.SetCurrentDeviceType(999);
    EXPECT_FALSE(m.Send(frame, 65)) << "no interface of the current type";
}

TEST_F(SendTest, WritesTheRequestedLengthWithTheChecksum) {
    FakeDevice& mouse = AddWired();
    DeviceManager& m = Opened();
    for (size_t length : {size_t{33}, size_t{65}}) {
        CommandFrame frame = ReportRateFrame();
        frame[6] = 0xFE;
        ASSERT_TRUE(m.Send(frame, length)) << length;
        const Bytes written = mouse.Writes().back();
        ASSERT_EQ(written.size(), length);
        EXPECT_EQ(written[0], 0x00);
        EXPECT_EQ(written[1], 0x02);
        EXPECT_EQ(written[32], static_cast<uint8_t>(0x08 + 0xFE)) << "sum of bytes 5-31";
        if (length == 65) {
            EXPECT_EQ(written[40], 0x33);
        }
    }
}

struct ReplyCase {
    const char* name;
    std::vector<Bytes> replies;  // what the mouse sends after the write
    bool ok;
    Bytes frame_head;            // expected first bytes of the frame afterwards
    bool waits_out_the_bound;
};

TEST_F(SendTest, ReplyHandling) {
    const CommandFrame request = [] {
        CommandFrame f = ReportRateFrame();
        StoreChecksum(f);
        return f;
    }();
    const Bytes request_head(request.bytes.begin(), request.bytes.begin() + 6);
    const std::vector<ReplyCase> cases = {
        {"acknowledged", {Reply(0x02, 0x00, {0x08})}, true, {0x02, 0x00, 0x00, 0x00, 0x08, 0x00}, false},
        {"NAK keeps reading to the bound", {Reply(0x02, 0x01)}, false, {0x02, 0x01, 0x00, 0x00, 0x00, 0x00}, true},
        {"NAK then ACK", {Reply(0x02, 0x01), Reply(0x02, 0x00)}, true, {0x02, 0x00, 0x00, 0x00, 0x00, 0x00}, false},
        {"NAK echoing the command is still a NAK", {Reply(0x02, 0x05)}, false, {0x02, 0x05, 0, 0, 0, 0}, true},
        {"no reply leaves the request", {}, false, request_head, true},
        {"one-byte reply is no success mark", {{0x00}}, false, {0x00, 0x02, 0x00, 0x01, 0x01, 0x08}, true},
        {"two-byte acknowledgement", {{0x02, 0x00}}, true, {0x02, 0x00, 0x00, 0x01, 0x01, 0x08}, false},
        {"garbage", {Bytes(33, 0xAA)}, false, Bytes(6, 0xAA), true},
        {"a DPI report with byte 1 = 0 is no reply", {{0xC2, 0x00, 0x00}}, false, request_head, true},
        {"a connection report is no reply", {{0xC0, 0x00, 0x00}, Reply(0x02, 0x00)}, true,
         {0x02, 0x00, 0x00, 0x00, 0x00, 0x00}, false},
    };
    for (const ReplyCase& c : cases) {
        FakeBackend local;
        FakeDevice& mouse = local.Add(CommandInterface("/dev/m", kVid, kWiredPid));
        mouse.SetResponder(MouseResponder("M102"));
        DeviceManager m(local, FastTiming());
        m.AddRule({kVid, kWiredPid, kProductType, kWiredMode, "M102"});
        m.Enumerate();
        m.SetCurrentDeviceType(kProductType);
        mouse.SetResponder([&c](const Bytes&) { return c.replies; });

        CommandFrame frame = ReportRateFrame();
        const auto start = Clock::now();
        EXPECT_EQ(m.Send(frame, 65), c.ok) << c.name;
        const auto took = Clock::now() - start;
        EXPECT_EQ(Bytes(frame.bytes.begin(), frame.bytes.begin() + 6), c.frame_head) << c.name;
        const auto bound = FastTiming().reply_wait * FastTiming().reply_attempts;
        if (c.waits_out_the_bound) {
            // Each report read costs one attempt; the others wait their full time.
            const auto idle_attempts = FastTiming().reply_attempts - static_cast<int>(c.replies.size());
            EXPECT_GE(took, FastTiming().reply_wait * idle_attempts * 9 / 10) << c.name;
        }
        EXPECT_LT(took, bound * 4) << c.name;
    }
}

TEST_F(SendTest, WriteFailureReturnsAtOnceWithTheRequestInTheFrame) {
    FakeDevice& mouse = AddWired();
    DeviceManager& m = Opened();
    std::vector<std::pair<std::string, Bytes>> traced;
    m.SetTrace([&](std::string_view message, std::span<const uint8_t> bytes) {
        traced.emplace_back(std::string(message), Bytes(bytes.begin(), bytes.end()));
    });
    mouse.SetWriteFails(true);
    CommandFrame frame = ReportRateFrame();
    EXPECT_FALSE(m.Send(frame, 65));
    CommandFrame expected = ReportRateFrame();
    StoreChecksum(expected);
    EXPECT_EQ(frame.bytes, expected.bytes);
    ASSERT_EQ(traced.size(), 1u) << "a failed command is traced with its bytes";
    EXPECT_EQ(traced[0].second, Bytes(expected.bytes.begin(), expected.bytes.end()));
    mouse.SetWriteFails(false);
    EXPECT_TRUE(m.Send(frame, 65)) << "the next command goes through";
}

TEST_F(SendTest, LongReplyIsCutToTheExchangeLength) {
    FakeDevice& mouse = AddWired();
    DeviceManager& m = Opened();
    Bytes long_reply(65, 0x5A);
    long_reply[1] = 0x00;
    mouse.SetResponder([&](const Bytes&) { return std::vector<Bytes>{long_reply}; });
    CommandFrame frame = ReportRateFrame();
    ASSERT_TRUE(m.Send(frame, 33));
    EXPECT_EQ(frame[32], 0x5A);
    EXPECT_EQ(frame[33], 0x00) << "bytes past the 33 read stay as they were";
    EXPECT_EQ(frame[40], 0x33);
}

TEST_F(SendTest, UnplugDuringTheExchangeFailsFast) {
    for (bool before_reply : {true, false}) {
        FakeBackend local;
        FakeDevice& mouse = local.Add(CommandInterface("/dev/m", kVid, kWiredPid));
        mouse.SetResponder(MouseResponder("M102"));
        DeviceManager m(local);  // the real 1.5 s bound
        m.AddRule({kVid, kWiredPid, kProductType, kWiredMode, "M102"});
        m.Enumerate();
        m.SetCurrentDeviceType(kProductType);
        if (before_reply) {
            mouse.SetResponder([&mouse](const Bytes&) {
                mouse.Unplug();
                return std::vector<Bytes>{};
            });
        } else {
            mouse.UnplugOnWrite(2);  // the write itself fails
        }
        CommandFrame frame = ReportRateFrame();
        const auto start = Clock::now();
        EXPECT_FALSE(m.Send(frame, 65));
        EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500)) << before_reply;
        for (int i = 0; i < 500 && m.LostCount() == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_EQ(m.LostCount(), 1u);
        EXPECT_FALSE(m.Send(frame, 65)) << "a vanished interface is not retried";
        EXPECT_EQ(mouse.WriteCount(), 2u) << "nothing more is written to it";
    }
}

TEST_F(SendTest, NoReplyGivesUpWithinTheProtocolBound) {
    FakeDevice& mouse = AddWired();
    DeviceManager& m = Opened(ExchangeTiming{});
    mouse.SetResponder([](const Bytes&) { return std::vector<Bytes>{}; });
    CommandFrame frame = ReportRateFrame();
    const auto start = Clock::now();
    EXPECT_FALSE(m.Send(frame, 65));
    const auto took = Clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(1400));
    EXPECT_LT(took, std::chrono::milliseconds(2500));
}

TEST_F(SendTest, NotificationDuringAnExchangeIsKeptForTheNotificationRead) {
    FakeDevice& mouse = AddWired();
    DeviceManager& m = Opened();
    mouse.SetResponder([](const Bytes& w) {
        return std::vector<Bytes>{{0xC2, 0x23, 0x00}, Reply(w[1], 0x00)};
    });
    CommandFrame frame = ReportRateFrame();
    ASSERT_TRUE(m.Send(frame, 65));
    EXPECT_EQ(frame[0], 0x02);
    EXPECT_TRUE(m.NotificationPending());
    std::array<uint8_t, 65> buffer{};
    int type = 0;
    ASSERT_TRUE(m.ReadNotification(buffer, type));
    EXPECT_EQ(buffer[0], 0xC2);
    EXPECT_EQ(buffer[1], 0x23);
    EXPECT_EQ(type, kProductType);
    EXPECT_FALSE(m.NotificationPending());
}

TEST_F(SendTest, LeftoverRepliesAreNotTakenForTheNextCommand) {
    FakeDevice& mouse = AddWired();
    DeviceManager& m = Opened();
    mouse.SetResponder([](const Bytes&) { return std::vector<Bytes>{}; });
    CommandFrame first = ReportRateFrame();  // command 0x02 times out
    ASSERT_FALSE(m.Send(first, 65));

    // Its acknowledgement turns up before the next command is written.
    mouse.Deliver(Reply(0x02, 0x00));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    CommandFrame second;
    second[1] = 0x03;
    EXPECT_FALSE(m.Send(second, 33)) << "a queued leftover is dropped, not taken";

    // Or while the next command waits, ahead of that command's own NAK.
    mouse.SetResponder([](const Bytes&) { return std::vector<Bytes>{Reply(0x03, 0x00), Reply(0x04, 0x01)}; });
    CommandFrame third;
    third[1] = 0x04;
    EXPECT_FALSE(m.Send(third, 65)) << "the late reply of 0x03 is not 0x04's";
    EXPECT_EQ(third[0], 0x04);
    EXPECT_EQ(third[1], 0x01);

    mouse.SetResponder([](const Bytes& w) { return std::vector<Bytes>{Reply(w[1], 0x00, {0x42})}; });
    CommandFrame fourth;
    fourth[1] = 0x12;
    ASSERT_TRUE(m.Send(fourth, 33));
    EXPECT_EQ(fourth[4], 0x42);
}

}  // namespace
}  // namespace mousedeck::hid::test
