#include <gtest/gtest.h>

#include "protocol/lighting_rows.h"
#include "protocol_rig.h"

namespace mousedeck::protocol::test {
namespace {

class LightingTransferTest : public ::testing::Test {
protected:
    // Effects 1, 2 and 3; not off, 4 or 5.
    void SetUp() override {
        ASSERT_TRUE(EnsureLightRows(rig.db, 1, {false, true, true, true, false, false}));
    }

    Bytes MouseLighting() {
        const sim::Payload p = rig.mouse.State().PayloadOf(0x05);
        return Bytes(p.begin(), p.end());
    }

    ProtocolRig rig;
};

TEST_F(LightingTransferTest, SendsTheRowOfTheEffectAndMakesItActive) {
    auto row = *rig.db.GetLightRow(1, 2);
    row.brightness = 3;
    row.speed = 1;
    row.color_values = {0x0000FF, 0x00FF00, 0xFF0000, 0x20A3FF, 0x00FFFF, 0xFF00FF, 0x123456};
    ASSERT_TRUE(rig.db.UpdateLightRow(row, 2));

    EXPECT_EQ(rig.sender.SendLighting(1, 2), SendResult::kSent);
    EXPECT_EQ(rig.db.GetActiveLightMode(1), 2);
    const Bytes payload = {2,    0x31, 7,    0xFF, 0,    0, 0,    0xFF, 0,    0,    0,    0xFF,
                           0xFF, 0xA3, 0x20, 0xFF, 0xFF, 0, 0xFF, 0,    0xFF, 0x56, 0x34, 0x12};
    EXPECT_EQ(rig.TakeWrites(), std::vector<Bytes>{Request(0x05, 0x01, 24, payload, 65)});

    EXPECT_EQ(rig.sender.SendLighting(1, 3), SendResult::kSent);
    EXPECT_EQ(rig.TakeWrites(), std::vector<Bytes>{Request(0x05, 0x01, 5, {3, 0x42, 0xFF, 0, 0}, 65)});
    const Bytes kept = MouseLighting();
    EXPECT_EQ(Bytes(kept.begin(), kept.begin() + 5), (Bytes{3, 0x42, 0xFF, 0, 0}));
}

TEST_F(LightingTransferTest, AnEffectWithoutRowSendsNothing) {
    EXPECT_EQ(rig.sender.SendLighting(1, 4), SendResult::kNothingToSend);
    EXPECT_EQ(rig.sender.SendLighting(2, 1), SendResult::kNothingToSend);  // profile 2 has no rows
    EXPECT_TRUE(rig.TakeWrites().empty());
    EXPECT_EQ(rig.db.GetActiveLightMode(1), 0);  // effect 4 was made active, and it has no row
}

TEST_F(LightingTransferTest, RestoreThenReadTheEffectBack) {
    auto row = *rig.db.GetLightRow(1, 1);
    row.brightness = 0;
    row.speed = 0;
    ASSERT_TRUE(rig.db.UpdateLightRow(row, 1));
    ASSERT_EQ(rig.sender.SendLighting(1, 3), SendResult::kSent);
    rig.TakeWrites();

    const auto result = rig.sender.RestoreLighting(1);
    EXPECT_TRUE(result.restored);
    ASSERT_TRUE(result.lighting);
    EXPECT_EQ(result.lighting->effect, 1);  // the simulated mouse's factory effect
    EXPECT_EQ(rig.TakeWrites(),
              (std::vector<Bytes>{Request(0x0E, 0x01, 1, {0x01}, 33), Request(0x15, 0x00, 0x00, {}, 33)}));
    EXPECT_EQ(rig.db.GetActiveLightMode(1), 1);
    const auto restored = rig.db.GetLightRow(1, 1);
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->brightness, 4);
    EXPECT_EQ(restored->speed, 2);
}

TEST_F(LightingTransferTest, OutOfRangeLightingRepliesChangeNothing) {
    ASSERT_TRUE(rig.db.SetActiveLight(1, 2));
    const auto before = rig.db.ListLightRows(1);
    // Effect 9 does not exist; levels 5 and 15 are beyond 0..4.
    ASSERT_TRUE(rig.SendRaw(0x05, {9, 0x42}));
    const auto unknown = rig.sender.ReadLighting(1);
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->effect, std::nullopt);
    ASSERT_TRUE(rig.SendRaw(0x05, {2, 0x5F}));
    const auto bad_levels = rig.sender.ReadLighting(1);
    ASSERT_TRUE(bad_levels);
    EXPECT_EQ(bad_levels->effect, 2);
    EXPECT_EQ(rig.db.ListLightRows(1), before);
}

}  // namespace
}  // namespace mousedeck::protocol::test
