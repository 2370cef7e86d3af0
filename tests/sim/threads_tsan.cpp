#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "sim/command_handler.h"
#include "sim_test_support.h"

namespace mousedeck::sim::test {
namespace {

using Bytes = std::vector<uint8_t>;

// A reader thread blocks in Read while the worker writes commands on the
// same handle, as the device channel runs it; meanwhile the user presses the
// DPI button and the battery changes. Every reply and every notification
// must reach the reader exactly once.
TEST(SimThreadTest, ReaderWriterAndUserActionsRunTogether) {
    SimFixture sim;
    sim.mouse.SetReplyLatency(std::chrono::microseconds(0));
    constexpr int kCommands = 300;
    constexpr int kPresses = 50;
    std::atomic<bool> stop{false};
    std::atomic<int> replies{0};
    int dpi_reports = 0;
    std::thread reader([&] {
        Bytes buffer(65);
        while (!stop.load()) {
            const int n = sim.wired->Read(buffer, 20);
            if (n <= 0) {
                continue;
            }
            if (buffer[0] == kDpiNotification) {
                ++dpi_reports;
            } else if (buffer[0] == 0x20 && buffer[1] == kStatusOk) {
                ++replies;
            }
        }
    });
    std::thread user([&] {
        for (int i = 0; i < kPresses; ++i) {
            sim.mouse.PressDpiButton();
            sim.mouse.SetBattery(0x00, static_cast<uint8_t>(i));
        }
    });
    for (int i = 0; i < kCommands; ++i) {
        ASSERT_EQ(sim.wired->Write(ReadFrame(0x20)), 65);
        // Like the host, wait for the reply before the next command, so the
        // 64-report buffer never overflows however slow the reader is.
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (replies.load() <= i && std::chrono::steady_clock::now() < give_up) {
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
    }
    user.join();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    stop = true;
    sim.wired->CancelReads();
    reader.join();
    EXPECT_EQ(replies.load(), kCommands);
    EXPECT_EQ(dpi_reports, kPresses);
}

// Unplugging while another thread exchanges commands fails that thread's
// calls cleanly; plug events reach a listener on the unplugging thread.
TEST(SimThreadTest, UnplugDuringExchangesFailsThemCleanly) {
    SimFixture sim;
    std::atomic<int> removals{0};
    sim.mouse.AddPlugListener([&](const PlugEvent& e) {
        if (e.kind == PlugEvent::Kind::kRemoval) {
            ++removals;
        }
    });
    std::atomic<bool> failed{false};
    std::thread worker([&] {
        for (int i = 0; i < 2000 && !failed.load(); ++i) {
            if (sim.wired->Write(ReadFrame(0x10)) < 0) {
                failed = true;
                break;
            }
            Bytes buffer(65);
            if (sim.wired->Read(buffer, 50) < 0) {
                failed = true;
            }
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    sim.mouse.PlugCable(false);
    worker.join();
    EXPECT_TRUE(failed.load());
    EXPECT_EQ(removals.load(), 4);
}

}  // namespace
}  // namespace mousedeck::sim::test
