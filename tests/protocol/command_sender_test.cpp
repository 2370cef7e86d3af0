#include <gtest/gtest.h>

#include <functional>

#include "protocol/lighting_rows.h"
#include "protocol_rig.h"
#include "sim/fault_plan.h"

namespace mousedeck::protocol::test {
namespace {

Bytes PayloadOf(const Bytes& frame) {
    return Bytes(frame.begin() + 5, frame.begin() + 32);
}

Bytes StoredPayload(const sim::SimulatedMouse& mouse, uint8_t code) {
    const sim::Payload p = mouse.State().PayloadOf(code);
    return Bytes(p.begin(), p.end());
}

// Setting keys, sending, and what crossed the wire and what the mouse kept.
TEST(CommandSenderTest, SetCommandsReachTheMouseByteForByte) {
    ProtocolRig rig;  // sensor 17
    const struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> keys;
        std::function<SendResult(CommandSender&)> send;
        Bytes frame;
    } cases[] = {
        {"1000 Hz",
         {{"report_rate", "1"}},
         [](CommandSender& s) { return s.SendReportRate(1); },
         Request(0x02, 0x01, 1, {0x01}, 65)},
        {"power and debounce, checksum 0x28",
         {{"sleep_light", "30"}, {"move_wakeup", "1"}, {"move_closelight", "1"}, {"button_respondtime", "8"}},
         [](CommandSender& s) { return s.SendPowerDebounce(1); },
         Request(0x07, 0x01, 4, {0x1E, 0x01, 0x01, 0x08}, 65)},
        {"stages 0x23 on sensor 17",
         {{"dpi_count", "3"},
          {"dpi_index", "2"},
          {"dpi_group0_value", "800"},
          {"dpi_group1_value", "12500"},
          {"dpi_group2_value", "40000"},
          {"dpi_group3_value", "0"},
          {"dpi_group4_value", "abc"},
          {"dpi_group5_value", ""}},
         [](CommandSender& s) { return s.SendDpiStages(1, 17); },
         Request(0x03, 0x01, 0x25,
                 {0x23, 16, 0, 16, 0, 220, 0, 220, 0, 232, 0, 232, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0},
                 33)},
        {"colours red first",
         {{"dpi_group0_rgb", "255"},
          {"dpi_group1_rgb", "16711680"},
          {"dpi_group2_rgb", "65280"},
          {"dpi_group3_rgb", "2139135"},
          {"dpi_group4_rgb", "junk"},
          {"dpi_group5_rgb", "16777215"}},
         [](CommandSender& s) { return s.SendDpiColours(1); },
         Request(0x04, 0x01, 18,
                 {0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0xA3, 0x20, 0, 0, 0, 0xFF, 0xFF, 0xFF}, 65)},
        {"sensor flag 53",
         {{"liftoff_height", "2"}, {"sensor_flag", "53"}},
         [](CommandSender& s) { return s.SendLiftSensor(1); },
         Request(0x06, 0x01, 5, {0x02, 0x00, 0x01}, 65)},
    };
    for (const auto& c : cases) {
        for (const auto& [key, value] : c.keys) {
            rig.SetKey(key, value);
        }
        EXPECT_EQ(c.send(rig.sender), SendResult::kSent) << c.name;
        const auto writes = rig.TakeWrites();
        ASSERT_EQ(writes.size(), 1u) << c.name;
        EXPECT_EQ(writes[0], c.frame) << c.name;
        EXPECT_EQ(StoredPayload(rig.mouse, c.frame[1]), PayloadOf(c.frame)) << c.name;
    }
    EXPECT_TRUE(rig.trace.messages.empty());
}

TEST(CommandSenderTest, ValuesAreReadWhenTheFrameIsBuilt) {
    ProtocolRig rig;
    rig.SetKey("report_rate", "8");
    rig.mouse.AddFault({sim::FaultKind::kNoReply, 1});
    EXPECT_EQ(rig.sender.SendReportRate(1), SendResult::kFailed);
    EXPECT_EQ(rig.trace.messages, std::vector<std::string>{"0x02: 设置回报率失败"});
    EXPECT_EQ(rig.Key("report_rate"), "8");  // the choice survives the failure

    rig.SetKey("report_rate", "64");
    EXPECT_EQ(rig.sender.SendReportRate(1), SendResult::kSent);
    EXPECT_EQ(StoredPayload(rig.mouse, 0x02)[0], 0x40);
    // Another profile's keys are another profile's.
    rig.SetKey("report_rate", "4", 2);
    EXPECT_EQ(rig.sender.SendReportRate(2), SendResult::kSent);
    EXPECT_EQ(StoredPayload(rig.mouse, 0x02)[0], 0x04);
}

TEST(CommandSenderTest, AStoredRateThatIsNoRateIsNotSent) {
    ProtocolRig rig;
    for (const char* stored : {"abc", "", "3", "-1", "99999999999"}) {
        rig.SetKey("report_rate", stored);
        EXPECT_EQ(rig.sender.SendReportRate(1), SendResult::kNothingToSend) << stored;
    }
    EXPECT_TRUE(rig.TakeWrites().empty());
    EXPECT_EQ(StoredPayload(rig.mouse, 0x02)[0], 0x01);  // the factory rate stays
    EXPECT_EQ(rig.trace.messages.size(), 5u);
}

TEST(CommandSenderTest, NoInterfaceMeansFailedWithoutAWrite) {
    ProtocolRig rig;
    rig.devices.CloseAll();
    EXPECT_EQ(rig.sender.SendPowerDebounce(1), SendResult::kFailed);
    EXPECT_FALSE(rig.sender.ReadReportRate(1));
    EXPECT_TRUE(rig.TakeWrites().empty());
}

}  // namespace
}  // namespace mousedeck::protocol::test
