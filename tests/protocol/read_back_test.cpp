#include <gtest/gtest.h>

#include <map>

#include "protocol_rig.h"
#include "sim/fault_plan.h"

namespace mousedeck::protocol::test {
namespace {

const char* const kReadKeys[] = {
    "report_rate",      "report_rate_wireless", "dpi_flag",          "dpi_count",        "dpi_index",
    "dpi_group0_value", "dpi_group1_value",     "dpi_group2_value",  "dpi_group3_value", "dpi_group4_value",
    "dpi_group5_value", "dpi_group0_rgb",       "dpi_group1_rgb",    "dpi_group2_rgb",   "dpi_group3_rgb",
    "dpi_group4_rgb",   "dpi_group5_rgb",       "liftoff_height",    "sensor_flag",      "sleep_light",
    "move_wakeup",      "move_closelight",      "button_respondtime"};

std::map<std::string, std::string> Snapshot(ProtocolRig& rig, int profile) {
    std::map<std::string, std::string> keys;
    for (const char* key : kReadKeys) {
        keys[key] = rig.Key(key, profile);
    }
    return keys;
}

void ReadAll(ProtocolRig& rig, int profile, int sensor) {
    EXPECT_TRUE(rig.sender.BeginReadBack());
    EXPECT_TRUE(rig.sender.ReadReportRate(profile));
    EXPECT_TRUE(rig.sender.ReadDpiStages(profile, sensor));
    EXPECT_TRUE(rig.sender.ReadDpiColours(profile));
    EXPECT_TRUE(rig.sender.ReadLiftSensor(profile));
    EXPECT_TRUE(rig.sender.ReadPowerDebounce(profile));
}

sim::SimProduct Sensor53() {
    sim::SimProduct product = sim::DefaultProduct();
    product.sensor_code = 53;
    product.factory.sensor_options = {1, 0};
    return product;
}

TEST(ReadBackTest, FactorySettingsLandInTheProfile) {
    ProtocolRig rig(Sensor53());
    ReadAll(rig, 2, 53);
    EXPECT_EQ(Snapshot(rig, 2), (std::map<std::string, std::string>{{"report_rate", "1"},
                                                                    {"report_rate_wireless", "1"},
                                                                    {"dpi_flag", "6"},
                                                                    {"dpi_count", "6"},
                                                                    {"dpi_index", "1"},
                                                                    {"dpi_group0_value", "400"},
                                                                    {"dpi_group1_value", "800"},
                                                                    {"dpi_group2_value", "1600"},
                                                                    {"dpi_group3_value", "3200"},
                                                                    {"dpi_group4_value", "6400"},
                                                                    {"dpi_group5_value", "12800"},
                                                                    {"dpi_group0_rgb", "255"},
                                                                    {"dpi_group1_rgb", "65280"},
                                                                    {"dpi_group2_rgb", "16711680"},
                                                                    {"dpi_group3_rgb", "16776960"},
                                                                    {"dpi_group4_rgb", "65535"},
                                                                    {"dpi_group5_rgb", "16711935"},
                                                                    {"liftoff_height", "1"},
                                                                    {"sensor_flag", "8"},
                                                                    {"sleep_light", "30"},
                                                                    {"move_wakeup", "1"},
                                                                    {"move_closelight", "1"},
                                                                    {"button_respondtime", "4"}}));
    // Profile 1 was not touched.
    EXPECT_EQ(rig.Key("dpi_group0_value"), "800");
    const auto reads = rig.TakeWrites();
    ASSERT_EQ(reads.size(), 6u);
    for (const auto& frame : reads) {
        EXPECT_EQ(frame, Request(frame[1], 0x00, 0x00, {}, 33));
    }
}

TEST(ReadBackTest, WhatWasSentReadsBackIntoAnotherProfile) {
    ProtocolRig rig(Sensor53());
    const std::map<std::string, std::string> sent = {
        {"report_rate", "16"},          {"dpi_count", "4"},           {"dpi_index", "3"},
        {"dpi_group0_value", "100"},    {"dpi_group1_value", "4800"}, {"dpi_group2_value", "9900"},
        {"dpi_group3_value", "16000"},  {"dpi_group4_value", "200"},  {"dpi_group5_value", "300"},
        {"dpi_group0_rgb", "1"},        {"dpi_group1_rgb", "256"},    {"dpi_group2_rgb", "65536"},
        {"dpi_group3_rgb", "16777215"}, {"dpi_group4_rgb", "0"},      {"dpi_group5_rgb", "8421504"},
        {"liftoff_height", "2"},        {"sensor_flag", "12"},        {"sleep_light", "180"},
        {"move_wakeup", "0"},           {"move_closelight", "1"},     {"button_respondtime", "20"}};
    for (const auto& [key, value] : sent) {
        rig.SetKey(key, value);
    }
    EXPECT_EQ(rig.sender.SendReportRate(1), SendResult::kSent);
    EXPECT_EQ(rig.sender.SendDpiStages(1, 53), SendResult::kSent);
    EXPECT_EQ(rig.sender.SendDpiColours(1), SendResult::kSent);
    EXPECT_EQ(rig.sender.SendLiftSensor(1), SendResult::kSent);
    EXPECT_EQ(rig.sender.SendPowerDebounce(1), SendResult::kSent);
    ReadAll(rig, 2, 53);
    auto expected = sent;
    expected["report_rate_wireless"] = "16";
    expected["dpi_flag"] = "4";
    EXPECT_EQ(Snapshot(rig, 2), expected);
}

// 12500 cannot be held by sensor 17: it goes out as 12000 and comes back as
// 12000, not as the 17000 of code 225.
TEST(ReadBackTest, Sensor17GapRoundTrip) {
    ProtocolRig rig;
    rig.SetKey("dpi_group2_value", "12500");
    ASSERT_EQ(rig.sender.SendDpiStages(1, 17), SendResult::kSent);
    const sim::Payload stages = rig.mouse.State().PayloadOf(0x03);
    EXPECT_EQ(stages[9], 220);
    EXPECT_EQ(stages[10], 0);
    const auto reply = rig.sender.ReadDpiStages(2, 17);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->codes[2], 220);
    EXPECT_EQ(rig.Key("dpi_group2_value", 2), "12000");
}

TEST(ReadBackTest, ValuesOutOfRangeKeepTheStoredOnes) {
    ProtocolRig rig(Sensor53());
    const auto before = Snapshot(rig, 1);
    // The simulated mouse keeps whatever a set command carried; these are
    // values no builder would send.
    ASSERT_TRUE(rig.SendRaw(0x02, {0x80}));
    Bytes stages = {0x0F};  // fifteen stages
    for (uint16_t code : {0x0000, 0xFFFF, 0x00A1, 0x0000, 0x0000, 0x0000}) {
        for (int copy = 0; copy < 2; ++copy) {
            stages.push_back(static_cast<uint8_t>(code & 0xFF));
            stages.push_back(static_cast<uint8_t>(code >> 8));
        }
    }
    ASSERT_TRUE(rig.SendRaw(0x03, stages, 33));
    ASSERT_TRUE(rig.SendRaw(0x06, {7, 0xFF, 0xFF}));
    ASSERT_TRUE(rig.SendRaw(0x07, {60, 2, 1, 99}));
    ReadAll(rig, 1, 53);

    auto expected = before;
    expected["sleep_light"] = "60";
    expected["move_closelight"] = "1";
    // Colours are always in range: the mouse's factory colours arrive.
    expected["dpi_group0_rgb"] = "255";
    expected["dpi_group1_rgb"] = "65280";
    expected["dpi_group2_rgb"] = "16711680";
    expected["dpi_group3_rgb"] = "16776960";
    expected["dpi_group4_rgb"] = "65535";
    expected["dpi_group5_rgb"] = "16711935";
    EXPECT_EQ(Snapshot(rig, 1), expected);
}

TEST(ReadBackTest, AFailedReadStoresNothingAndTheNextOneRuns) {
    ProtocolRig rig(Sensor53());
    const auto before = Snapshot(rig, 2);
    rig.mouse.AddFault({sim::FaultKind::kNoReply, 1});
    EXPECT_FALSE(rig.sender.ReadDpiStages(2, 53));
    EXPECT_EQ(Snapshot(rig, 2), before);
    EXPECT_EQ(rig.trace.messages, std::vector<std::string>{"0x13: read failed"});
    EXPECT_TRUE(rig.sender.ReadDpiColours(2));
    EXPECT_EQ(rig.Key("dpi_group1_rgb", 2), "65280");
    EXPECT_EQ(rig.Key("dpi_group1_value", 2), before.at("dpi_group1_value"));
}

TEST(ReadBackTest, FirmwareVersionAndFactoryReset) {
    ProtocolRig rig;
    EXPECT_EQ(rig.sender.ReadFirmwareVersion(), "105");

    rig.SetKey("report_rate", "8");
    ASSERT_EQ(rig.sender.SendReportRate(1), SendResult::kSent);
    rig.TakeWrites();
    EXPECT_TRUE(rig.sender.FactoryReset());
    EXPECT_EQ(rig.TakeWrites(), std::vector<Bytes>{Request(0x0F, 0x01, 1, {0xFF}, 33)});
    EXPECT_EQ(rig.mouse.State().PayloadOf(0x02)[0], 0x01);
}

}  // namespace
}  // namespace mousedeck::protocol::test
