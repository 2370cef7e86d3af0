#include "hid/interface_channel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "fake_backend.h"

namespace mousedeck::hid::test {
namespace {

using namespace std::chrono_literals;

struct Counters {
    std::atomic<int> reports{0};
    std::atomic<int> lost{0};
};

std::unique_ptr<InterfaceChannel> OpenChannel(FakeBackend& backend, const std::string& path, Counters& counters) {
    return std::make_unique<InterfaceChannel>(backend.Open(path), [&counters](InterfaceChannel::Event e) {
        (e == InterfaceChannel::Event::kLost ? counters.lost : counters.reports)++;
    });
}

void WaitUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 1000 && !done(); ++i) {
        std::this_thread::sleep_for(1ms);
    }
}

TEST(InterfaceChannelTest, KeepsTheNewestReportsInArrivalOrder) {
    FakeBackend backend;
    FakeDevice& device = backend.Add(CommandInterface("/dev/a", 1, 2));
    Counters counters;
    auto channel = OpenChannel(backend, "/dev/a", counters);
    const int sent = static_cast<int>(InterfaceChannel::kMaxQueued) + 6;
    for (int i = 0; i < sent; ++i) {
        device.Deliver({static_cast<uint8_t>(i), 0x00});
    }
    WaitUntil([&] { return counters.reports.load() == sent; });
    ASSERT_EQ(counters.reports.load(), sent);
    for (int i = sent - static_cast<int>(InterfaceChannel::kMaxQueued); i < sent; ++i) {
        const auto report = channel->TakeNext(0ms);
        ASSERT_TRUE(report);
        EXPECT_EQ(report->bytes[0], i);
        EXPECT_EQ(report->size, 2u);
    }
    EXPECT_FALSE(channel->TakeNext(0ms));
}

TEST(InterfaceChannelTest, ReadErrorMarksTheInterfaceLostOnce) {
    FakeBackend backend;
    FakeDevice& device = backend.Add(CommandInterface("/dev/a", 1, 2));
    Counters counters;
    auto channel = OpenChannel(backend, "/dev/a", counters);
    device.Deliver({0xC2, 0x11});
    device.Unplug();
    WaitUntil([&] { return counters.lost.load() > 0; });
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(counters.lost.load(), 1);
    EXPECT_TRUE(channel->Lost());
    const int reads = device.ReadCalls();
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(device.ReadCalls(), reads) << "a vanished interface is not read again";
    EXPECT_EQ(channel->Write(Bytes{0, 1}), -1);
    const auto kept = channel->TakeNext(0ms);
    ASSERT_TRUE(kept) << "what came before the loss is still there";
    EXPECT_EQ(kept->bytes[0], 0xC2);
}

TEST(InterfaceChannelTest, CloseIsPromptEvenWhenReadsCannotBeCancelled) {
    for (bool cancellable : {true, false}) {
        FakeBackend backend;
        backend.Add(CommandInterface("/dev/a", 1, 2)).SetCancellable(cancellable);
        Counters counters;
        auto channel = OpenChannel(backend, "/dev/a", counters);
        std::this_thread::sleep_for(10ms);
        const auto start = std::chrono::steady_clock::now();
        channel->Close();
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took, cancellable ? 50ms : std::chrono::milliseconds(InterfaceChannel::kReadSliceMs + 100))
            << cancellable;
        EXPECT_TRUE(channel->Lost());
        EXPECT_EQ(counters.lost.load(), 0) << "closing is not a loss";
    }
}

TEST(InterfaceChannelTest, TakeWaitsForAMatchingReportAndLeavesTheOthers) {
    FakeBackend backend;
    FakeDevice& device = backend.Add(CommandInterface("/dev/a", 1, 2));
    Counters counters;
    auto channel = OpenChannel(backend, "/dev/a", counters);
    std::thread late([&] {
        std::this_thread::sleep_for(20ms);
        device.Deliver({0xC0, 0x01});
        device.Deliver({0x02, 0x00});
    });
    const auto reply = channel->Take(1s, [](const InputReport& r) { return r.bytes[0] == 0x02; });
    late.join();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->bytes[1], 0x00);
    const auto left = channel->TakeNext(0ms);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->bytes[0], 0xC0);
}

}  // namespace
}  // namespace mousedeck::hid::test
