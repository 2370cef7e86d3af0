#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "sim/traffic_log.h"
#include "sim_test_support.h"
#include "support/temp_home.h"

namespace mousedeck::sim::test {
namespace {

using Bytes = std::vector<uint8_t>;
using mousedeck::test::ReadFile;
using mousedeck::test::TempDir;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string Zeros(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) {
        text += " 00";
    }
    return text;
}

TEST(SimTrafficLogTest, LineFormat) {
    EXPECT_EQ(TrafficLog::FormatLine('>', Bytes{0x00, 0x0A, 0xFF}), "> 00 0A FF");
    EXPECT_EQ(TrafficLog::FormatLine('<', Bytes{0xC2}), "< C2");
}

TEST(SimTrafficLogTest, LogsWholeWritesAndDeliveredReadsInOrder) {
    TempDir dir;
    const std::string path = (dir / "traffic.log").string();
    setenv("MOUSEDECK_SIM_LOG", path.c_str(), 1);
    SimOptions options = SimOptions::FromEnvironment();
    unsetenv("MOUSEDECK_SIM_LOG");
    options.reply_latency = std::chrono::microseconds(100);
    SimFixture sim(DefaultProduct(), options);

    Bytes request = Frame(0x02, {0x01});
    request.resize(33);  // a 33-byte write is logged as 33 bytes
    ASSERT_EQ(sim.wired->Write(request), 33);
    Bytes reply(33);
    ASSERT_EQ(sim.wired->Read(reply, 200), 33);  // the read delivers 33 of the 64 bytes
    ASSERT_TRUE(sim.mouse.PressDpiButton());
    Bytes notification(65);
    ASSERT_EQ(sim.wired->Read(notification, 200), 64);
    sim.mouse.AddFault({FaultKind::kWriteFailure, 1});
    EXPECT_EQ(sim.wired->Write(Bytes{0x00, 0x10}), -1);  // a failed write is still what the host handed over

    const auto lines = Lines(ReadFile(path));
    ASSERT_EQ(lines.size(), 4u);
    // Report rate 1000 Hz: 00 02 00 01 01 01, zeros to byte 31, checksum 01.
    EXPECT_EQ(lines[0], "> 00 02 00 01 01 01" + Zeros(26) + " 01");
    EXPECT_EQ(lines[1], "< 02 00" + Zeros(31));
    EXPECT_EQ(lines[2].substr(0, 7), "< C2 26");  // factory stage byte 0x16: stage 2 of 6 next
    EXPECT_EQ(lines[2].size(), 2 + 64 * 3 - 1);
    EXPECT_EQ(lines[3], "> 00 10");
}

// What a test reads back is what the host wrote, and only what came since
// the last read.
TEST(SimTrafficLogTest, HostWritesReadBackFromWhereTheLastReadEnded) {
    TempDir dir;
    const std::string path = (dir / "traffic.log").string();
    EXPECT_EQ(TrafficLog::ReadHostWrites(path, 0).lines, 0u) << "no file yet";
    {
        const TrafficLog log(path);
        log.HostWrote(Bytes{0x00, 0x0A, 0xFF});
        log.MouseSent(Bytes{0xC2, 0x01});
        log.HostWrote(Bytes{});
    }
    const TrafficLog::HostWrites first = TrafficLog::ReadHostWrites(path, 0);
    EXPECT_EQ(first.reports, (std::vector<Bytes>{{0x00, 0x0A, 0xFF}, {}}));
    EXPECT_EQ(first.lines, 3u);

    TrafficLog(path).HostWrote(Bytes{0x12, 0x34});
    const TrafficLog::HostWrites next = TrafficLog::ReadHostWrites(path, first.lines);
    EXPECT_EQ(next.reports, (std::vector<Bytes>{{0x12, 0x34}}));
    EXPECT_EQ(next.lines, 4u);
}

}  // namespace
}  // namespace mousedeck::sim::test
