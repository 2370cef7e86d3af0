#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/boot_loader.h"
#include "sim/command_handler.h"
#include "sim_test_support.h"

namespace mousedeck::sim::test {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Control(uint8_t b2, uint8_t b4) {
    Bytes r(64, 0xFF);
    r[0] = 0x05;
    r[1] = 0x02;
    r[2] = b2;
    r[3] = 0x00;
    r[4] = b4;
    return r;
}

// The reports a host sends for an image: begin, 48 bytes per data report in
// three sub-blocks (sequence LE, 16 bytes padded with 0xFF, CRC LE), end.
std::vector<Bytes> UpgradeReports(const Bytes& image) {
    std::vector<Bytes> reports = {Control(0x02, 0x01)};
    uint16_t sequence = 0;
    for (std::size_t at = 0; at < image.size(); at += 48) {
        Bytes r(64, 0xFF);
        r[0] = 0x05;
        r[1] = 0x02;
        r[3] = 0x00;
        const std::size_t left = image.size() - at;
        const std::size_t blocks = left >= 48 ? 3 : (left + 15) / 16;
        r[2] = static_cast<uint8_t>(20 * blocks);
        for (std::size_t j = 0; j < blocks; ++j, ++sequence) {
            uint8_t* b = &r[4 + 20 * j];
            b[0] = static_cast<uint8_t>(sequence & 0xFF);
            b[1] = static_cast<uint8_t>(sequence >> 8);
            for (std::size_t k = 0; k < 16; ++k) {
                const std::size_t i = at + 16 * j + k;
                b[2 + k] = i < image.size() ? image[i] : 0xFF;
            }
            const uint16_t crc = Crc16Modbus(std::span<const uint8_t>(b, 18));
            b[18] = static_cast<uint8_t>(crc & 0xFF);
            b[19] = static_cast<uint8_t>(crc >> 8);
        }
        reports.push_back(r);
    }
    reports.push_back(Control(0x06, 0x02));
    return reports;
}

Bytes Image(std::size_t size) {
    Bytes image(size);
    for (std::size_t i = 0; i < size; ++i) {
        image[i] = static_cast<uint8_t>(i * 7 + 3);
    }
    return image;
}

Bytes Padded(Bytes image) {
    image.resize((image.size() + 15) / 16 * 16, 0xFF);
    return image;
}

// Sends every report and returns the status byte of each answer, kNoAnswer
// where none came.
constexpr uint8_t kNoAnswer = 0xEE;

// A clean transfer over the cable: every report is answered except the end
// report, after which the mouse restarts at once and its interfaces go.
Bytes CleanOverCable(std::size_t reports) {
    Bytes statuses(reports, kBootOk);
    statuses.back() = kNoAnswer;
    return statuses;
}

Bytes Flash(hid::HidHandle& boot, const std::vector<Bytes>& reports) {
    Bytes statuses;
    for (const auto& r : reports) {
        EXPECT_EQ(boot.Write(r), 64);
        const Bytes answer = ReadReport(boot);
        statuses.push_back(answer.size() == 64 && answer[0] == 0x05 ? answer[1] : kNoAnswer);
    }
    return statuses;
}

TEST(SimBootLoaderTest, Crc16ModbusCheckValues) {
    const std::string digits = "123456789";
    EXPECT_EQ(Crc16Modbus(std::span(reinterpret_cast<const uint8_t*>(digits.data()), digits.size())), 0x4B37);
    EXPECT_EQ(Crc16Modbus({}), 0xFFFF);
    const Bytes zero = {0x00};
    EXPECT_EQ(Crc16Modbus(zero), 0x40BF);
}

TEST(SimBootLoaderTest, ImagesOfEverySizeClassArriveWholeAndRaiseTheRelease) {
    // 48 x m, 48 x m + 1, and the three tails of a short last report.
    for (const std::size_t size : {144u, 145u, 5u, 20u, 40u, 47u, 48u}) {
        SCOPED_TRACE(size);
        SimFixture sim;
        sim.wired.reset();
        auto boot = sim.OpenBootLoader(0);
        ASSERT_NE(boot, nullptr);
        const Bytes image = Image(size);
        const auto reports = UpgradeReports(image);
        EXPECT_EQ(Flash(*boot, reports), CleanOverCable(reports.size()));
        EXPECT_EQ(sim.mouse.LastFlashedImage(), Padded(image));
        EXPECT_EQ(sim.mouse.State().firmware, 0x0106);
        // The mouse restarted: the old handle is gone, the new wired interfaces
        // show the new release and 0x20 answers it.
        EXPECT_EQ(boot->Write(Control(0x02, 0x01)), -1);
        const auto info = FindInterface(sim.backend, sim.mouse.product(), 0, 0xFF01, 0x0010);
        EXPECT_EQ(info.release_number, 0x0106);
        auto wired = sim.backend.Open(info.path);
        ASSERT_NE(wired, nullptr);
        const Bytes version = Exchange(*wired, ReadFrame(0x20));
        ASSERT_EQ(version.size(), 64u);
        EXPECT_EQ(Bytes(version.begin() + 4, version.begin() + 6), (Bytes{0x01, 0x06}));
    }
}

TEST(SimBootLoaderTest, ReleaseTagInTheImageNamesTheNewRelease) {
    const std::string tag = "xxMDVER=0A1Fyy";
    Bytes image(tag.begin(), tag.end());
    EXPECT_EQ(ReleaseFromImage(image, 0x0105), 0x0A1F);
    const std::string bad = "MDVER=01G0";
    EXPECT_EQ(ReleaseFromImage(Bytes(bad.begin(), bad.end()), 0x0105), 0x0106);
    const std::string cut = "....MDVER=01";
    EXPECT_EQ(ReleaseFromImage(Bytes(cut.begin(), cut.end()), 0x01FF), 0x0200);

    SimFixture sim;
    auto boot = sim.OpenBootLoader(0);
    image.resize(100, 0x00);
    Flash(*boot, UpgradeReports(image));
    EXPECT_EQ(sim.mouse.State().firmware, 0x0A1F);
}

TEST(SimBootLoaderTest, SpoiltTransfersFlashNothing) {
    const Bytes image = Image(200);  // five reports: 4 x 48 + 8
    struct Case {
        const char* name;
        std::vector<Bytes> reports;
        Bytes statuses;
        uint8_t final_status;
    };
    auto bad_crc = UpgradeReports(image);
    bad_crc[2][4 + 20 + 18] ^= 0x01;  // second report, sub-block 1: CRC
    auto bad_data = UpgradeReports(image);
    bad_data[3][4 + 5] ^= 0x80;  // third report, a data byte the CRC covers
    auto gap = UpgradeReports(image);
    gap.erase(gap.begin() + 2);  // second data report never arrives
    auto no_begin = UpgradeReports(image);
    no_begin.erase(no_begin.begin());
    auto bad_length = UpgradeReports(image);
    bad_length[1][2] = 50;
    const std::vector<Case> cases = {
        {"bad crc", bad_crc, {0, 0, 1, 1, 1, 1, 1}, kBootBadCrc},
        {"data changed", bad_data, {0, 0, 0, 1, 1, 1, 1}, kBootBadCrc},
        {"missing report", gap, {0, 0, 2, 2, 2, 2}, kBootBadSequence},
        {"no begin", no_begin, {3, 3, 3, 3, 3, 3}, kBootOk},  // no transfer was ever opened
        {"bad length", bad_length, {0, 4, 4, 4, 4, 4, 4}, kBootBadReport},
        {"empty image", {Control(0x02, 0x01), Control(0x06, 0x02)}, {0, kBootEmptyImage}, kBootOk},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimFixture sim;
        auto boot = sim.OpenBootLoader(0);
        EXPECT_EQ(Flash(*boot, c.reports), c.statuses);
        EXPECT_EQ(sim.mouse.BootLoaderStatus(), c.final_status);
        EXPECT_FALSE(sim.mouse.LastFlashedImage());
        EXPECT_EQ(sim.mouse.State().firmware, 0x0105);
        // A new begin starts afresh and succeeds.
        const auto good = UpgradeReports(image);
        EXPECT_EQ(Flash(*boot, good), CleanOverCable(good.size()));
        EXPECT_EQ(sim.mouse.LastFlashedImage(), Padded(image));
    }
}

TEST(SimBootLoaderTest, WritesOtherThanReportFiveFail) {
    SimFixture sim;
    auto boot = sim.OpenBootLoader(0);
    Bytes report = Control(0x02, 0x01);
    report[0] = 0x00;
    EXPECT_EQ(boot->Write(report), -1);
    EXPECT_EQ(boot->Write(Bytes(65, 0x05)), -1);
    EXPECT_EQ(boot->Write(Bytes{}), -1);
}

TEST(SimBootLoaderTest, ThroughTheReceiverTheMouseReconnectsAfterTheUpgrade) {
    SimFixture sim;
    sim.mouse.PlugCable(false);
    auto receiver = sim.OpenCommand(1);
    auto boot = sim.OpenBootLoader(1);
    ASSERT_NE(boot, nullptr);
    const auto reports = UpgradeReports(Image(96));
    EXPECT_EQ(Flash(*boot, reports), Bytes(reports.size(), kBootOk));
    EXPECT_EQ(sim.mouse.State().firmware, 0x0106);
    EXPECT_EQ(ByteAt(ReadReport(*receiver), 1), 0x00);  // dropped off
    EXPECT_EQ(ByteAt(ReadReport(*receiver), 1), 0x01);  // back with the new firmware
    EXPECT_EQ(ByteAt(Exchange(*receiver, ReadFrame(0x20)), 5), 0x06);

    sim.mouse.SetMousePower(false);
    EXPECT_EQ(boot->Write(reports[0]), -1);  // nothing to pass the report to
}

TEST(SimBootLoaderTest, FaultOnAReportLetsTheHostRetry) {
    SimFixture sim;
    auto boot = sim.OpenBootLoader(0);
    const auto reports = UpgradeReports(Image(96));
    sim.mouse.AddFault({FaultKind::kWriteFailure, 2, FaultTarget::kBootLoader});
    EXPECT_EQ(boot->Write(reports[0]), 64);
    EXPECT_EQ(boot->Write(reports[1]), -1);  // lost: the loader never saw it
    for (std::size_t i = 1; i < reports.size(); ++i) {
        EXPECT_EQ(boot->Write(reports[i]), 64);
    }
    EXPECT_EQ(sim.mouse.LastFlashedImage(), Image(96));

    SimFixture lost;
    auto lost_boot = lost.OpenBootLoader(0);
    lost.mouse.AddFault({FaultKind::kNoReply, 2, FaultTarget::kBootLoader});
    for (const auto& r : reports) {
        EXPECT_EQ(lost_boot->Write(r), 64);
    }
    EXPECT_EQ(lost.mouse.BootLoaderStatus(), kBootBadSequence);
    EXPECT_FALSE(lost.mouse.LastFlashedImage());
}

}  // namespace
}  // namespace mousedeck::sim::test
