#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>
#include <tuple>
#include <vector>

#include "sim/command_handler.h"
#include "sim_test_support.h"

namespace mousedeck::sim::test {
namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

TEST(SimTransportTest, EachModeShowsPointerKeyboardCommandAndBootLoaderInterfaces) {
    SimProduct product = DefaultProduct();
    product.modes = {{0, 0x1209, 0x0001, CommandUsage::kVendor},
                     {1, 0x1209, 0x0002, CommandUsage::kGenericDesktop}};
    product.firmware = 0x0107;
    product.receiver_firmware = 0x0203;
    SimulatedMouse mouse(product, QuietOptions());
    SimulatedHidBackend backend(mouse);

    using Row =
        std::tuple<uint16_t, uint16_t, uint16_t, int, uint16_t>;  // pid, page, usage, interface, release
    std::vector<Row> rows;
    std::set<std::string> paths;
    for (const auto& info : backend.Enumerate(0, 0)) {
        EXPECT_EQ(info.vendor_id, 0x1209);
        rows.emplace_back(info.product_id, info.usage_page, info.usage, info.interface_number,
                          info.release_number);
        paths.insert(info.path);
    }
    const std::vector<Row> expected = {
        {0x0001, 0x0001, 0x0002, 0, 0x0107}, {0x0001, 0x0001, 0x0006, 1, 0x0107},
        {0x0001, 0xFF01, 0x0010, 2, 0x0107}, {0x0001, 0xFFEF, 0x0000, 3, 0x0107},
        {0x0002, 0x0001, 0x0002, 0, 0x0203}, {0x0002, 0x0001, 0x0006, 1, 0x0203},
        {0x0002, 0x0001, 0x0000, 2, 0x0203}, {0x0002, 0xFFEF, 0x0000, 3, 0x0203},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(paths.size(), rows.size());
    EXPECT_EQ(backend.Enumerate(0x1209, 0x0002).size(), 4u);
    EXPECT_TRUE(backend.Enumerate(0x1209, 0x0009).empty());
}

TEST(SimTransportTest, TwoMiceOfOneProductHaveDistinctPaths) {
    SimulatedMouse first(DefaultProduct(), QuietOptions());
    SimulatedMouse second(DefaultProduct(), QuietOptions());
    SimulatedHidBackend backend;
    backend.Attach(first);
    backend.Attach(second);
    std::set<std::string> paths;
    for (const auto& info : backend.Enumerate(0, 0)) {
        paths.insert(info.path);
    }
    EXPECT_EQ(paths.size(), 16u);
}

TEST(SimTransportTest, KeyboardAndPointerInterfacesTakeNoCommands) {
    SimFixture sim;
    for (const uint16_t usage : {0x0006, 0x0002}) {
        const auto info = FindInterface(sim.backend, sim.mouse.product(), 0, 0x0001, usage);
        auto handle = sim.backend.Open(info.path);
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(handle->Write(Frame(0x10)), -1) << usage;
        Bytes buffer(65);
        EXPECT_EQ(handle->Read(buffer, 10), 0) << usage;
    }
    EXPECT_EQ(sim.backend.Open("sim:999:0000:0000:2"), nullptr);
}

TEST(SimTransportTest, ReplyBecomesReadableOnlyAfterTheLatency) {
    SimOptions options = QuietOptions();
    options.reply_latency = std::chrono::milliseconds(40);
    SimFixture sim(DefaultProduct(), options);
    Bytes buffer(65);
    const auto start = Clock::now();
    ASSERT_EQ(sim.wired->Write(ReadFrame(0x10)), 65);
    EXPECT_EQ(sim.wired->Read(buffer, 0), 0);  // not yet due
    EXPECT_EQ(sim.wired->Read(buffer, 5), 0);  // a time-out shorter than the latency
    EXPECT_EQ(sim.wired->Read(buffer, 500), 64);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(40));
    EXPECT_EQ(buffer[0], 0x10);

    sim.mouse.SetReplyLatency(std::chrono::microseconds(0));
    ASSERT_EQ(sim.wired->Write(ReadFrame(0x10)), 65);
    EXPECT_EQ(sim.wired->Read(buffer, 0), 64);
}

TEST(SimTransportTest, ReadTimesOutAfterItsTimeOut) {
    SimFixture sim;
    Bytes buffer(65);
    const auto start = Clock::now();
    EXPECT_EQ(sim.wired->Read(buffer, 30), 0);
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(30));
    EXPECT_LT(waited, std::chrono::milliseconds(500));
}

TEST(SimTransportTest, ShortBufferGetsTheStartOfTheReport) {
    SimFixture sim;
    ASSERT_EQ(sim.wired->Write(ReadFrame(0x20)), 65);
    Bytes buffer(33, 0xEE);
    ASSERT_EQ(sim.wired->Read(buffer, 200), 33);
    EXPECT_EQ(buffer[0], 0x20);
    EXPECT_EQ(buffer[4], 0x01);
}

TEST(SimTransportTest, EveryOpenHandleOfTheInterfaceGetsEachReport) {
    SimFixture sim;
    auto second = sim.OpenCommand(0);
    ASSERT_NE(second, nullptr);
    ASSERT_EQ(sim.wired->Write(ReadFrame(0x20)), 65);
    EXPECT_EQ(ByteAt(ReadReport(*sim.wired), 0), 0x20);
    EXPECT_EQ(ByteAt(ReadReport(*second), 0), 0x20);
    auto receiver = sim.OpenCommand(1);
    ASSERT_NE(receiver, nullptr);
    EXPECT_TRUE(ReadReport(*receiver, 20).empty());  // another interface hears nothing
}

TEST(SimTransportTest, UnreadReportsAreCappedAtTheOldestDropped) {
    SimFixture sim;
    sim.mouse.SetReplyLatency(std::chrono::microseconds(0));
    for (int i = 0; i < 70; ++i) {
        ASSERT_EQ(sim.wired->Write(Frame(0x02, {static_cast<uint8_t>(i)})), 65);
    }
    int count = 0;
    while (!ReadReport(*sim.wired, 0).empty()) {
        ++count;
    }
    EXPECT_EQ(count, 64);
}

TEST(SimTransportTest, CancelReadsWakesABlockedReader) {
    SimFixture sim;
    ASSERT_TRUE(sim.wired->CanCancelReads());
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        sim.wired->CancelReads();
    });
    Bytes buffer(65);
    const auto start = Clock::now();
    EXPECT_EQ(sim.wired->Read(buffer, -1), 0);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
    canceller.join();
    EXPECT_EQ(sim.wired->Read(buffer, 1000), 0);  // later reads return at once too
}

}  // namespace
}  // namespace mousedeck::sim::test
