#include <gtest/gtest.h>

#include "frame_bytes.h"
#include "protocol/notification.h"

namespace mousedeck::protocol::test {
namespace {

using Kind = Notification::Kind;

Bytes Report(std::initializer_list<uint8_t> head) {
    Bytes report(65, 0);
    std::copy(head.begin(), head.end(), report.begin());
    return report;
}

TEST(NotificationTest, DpiStageReports) {
    const struct {
        uint8_t stage_byte;
        Kind kind;
    } cases[] = {
        {0x23, Kind::kDpiStage},    {0x01, Kind::kDpiStage},
        {0x56, Kind::kDpiStage},    {0x00, Kind::kBadDpiStage},  // no stages
        {0x0F, Kind::kBadDpiStage},                              // fifteen stages
        {0x07, Kind::kBadDpiStage},                              // seven stages
        {0x33, Kind::kBadDpiStage},                              // index equal to the count
        {0xF2, Kind::kBadDpiStage},                              // index far beyond
    };
    for (const auto& c : cases) {
        const Notification n = DecodeNotification(Report({0xC2, c.stage_byte}));
        EXPECT_EQ(n.kind, c.kind) << int(c.stage_byte);
        EXPECT_EQ(n.stage, DecodeStageByte(c.stage_byte));
    }
    const Notification n = DecodeNotification(Report({0xC2, 0x23}));
    EXPECT_EQ(n.stage.index, 2);
    EXPECT_EQ(n.stage.count, 3);
}

TEST(NotificationTest, ConnectionReportsAndBattery) {
    const struct {
        Bytes report;
        bool connected;
        std::optional<std::array<uint8_t, 2>> battery;
    } cases[] = {
        {Report({0xC0, 1, 0x64, 0x01}), true, std::array<uint8_t, 2>{0x64, 0x01}},
        {Report({0xC0, 1, 0, 0x01}), true, std::nullopt},  // byte 2 = 0: battery unknown
        {Report({0xC0, 0, 0, 0}), false, std::nullopt},
        {Report({0xC0, 2, 0x50, 0}), false, std::array<uint8_t, 2>{0x50, 0}},  // only 1 means connected
        {Report({0xC0, 0xFF, 0, 0}), false, std::nullopt},
    };
    for (const auto& c : cases) {
        const Notification n = DecodeNotification(c.report);
        EXPECT_EQ(n.kind, Kind::kConnection);
        EXPECT_EQ(n.connected, c.connected);
        EXPECT_EQ(n.battery, c.battery);
        EXPECT_EQ(n.connection_detail, c.report[3]);
    }
}

TEST(NotificationTest, NothingOtherKindsAndShortBuffers) {
    EXPECT_EQ(DecodeNotification(Report({})).kind, Kind::kNone);
    EXPECT_EQ(DecodeNotification(Bytes{}).kind, Kind::kNone);
    const Notification other = DecodeNotification(Report({0x10, 0x00}));
    EXPECT_EQ(other.kind, Kind::kOther);
    EXPECT_EQ(other.raw_kind, 0x10);
    // A one-byte report reads its missing stage byte as 0: no stages.
    EXPECT_EQ(DecodeNotification(Bytes{0xC2}).kind, Kind::kBadDpiStage);
    EXPECT_EQ(DecodeNotification(Bytes{0xC0}).connected, false);
}

}  // namespace
}  // namespace mousedeck::protocol::test
