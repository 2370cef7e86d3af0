#include <gtest/gtest.h>

#include "app_fixture.h"
#include "hid/task_code.h"
#include "store/settings_database.h"

namespace mousedeck::shell::app::test {
namespace {

class LightingTest : public AppFixture {
protected:
    void Connect(int device_type) { StartConnected(device_type); }
    // The last 0x05 frame the mouse received.
    Bytes LastLightingFrame() {
        Bytes last;
        for (auto& write : TakeWrites(kW1)) {
            if (write.size() > 1 && write[1] == 0x05) {
                last = std::move(write);
            }
        }
        return last;
    }
};

TEST_F(LightingTest, ConnectionMakesOneRowPerEnabledEffectAndTakesTheMouseEffect) {
    Connect(kW1);
    const auto rows = Db().ListLightRows(1);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows.front().mode, 1);
    EXPECT_EQ(rows.back().mode, 0) << "off comes last";
    EXPECT_EQ(Db().GetActiveLightMode(1), kMouseEffect);
    EXPECT_EQ(controller->CurrentEffect(), kMouseEffect);
}

TEST_F(LightingTest, EffectBrightnessAndColourReachTheMouse) {
    Connect(kW1);
    ASSERT_TRUE(Actions().SetLightingEffect(3));  // steady: one colour
    ASSERT_TRUE(Actions().SetLightingBrightness(1));
    ASSERT_TRUE(Actions().SetLightingColour(4, 0x123456));  // no colour slots: the first colour
    ASSERT_TRUE(WaitForTask(hid::kTaskSendLighting, TaskOutcome::kAcknowledged, 3));
    Idle();
    const Bytes frame = LastLightingFrame();
    ASSERT_EQ(frame.size(), 65u);
    EXPECT_EQ(frame[4], 5);                                                       // length
    EXPECT_EQ(frame[5], 3);                                                       // effect
    EXPECT_EQ(frame[6], 0x12);                                                    // brightness 1, speed 2
    EXPECT_EQ((Bytes{frame[7], frame[8], frame[9]}), (Bytes{0x56, 0x34, 0x12}));  // red, green, blue
    EXPECT_EQ(Db().GetLightRow(1, 3)->color_values[0], 0x123456);
    EXPECT_EQ(Db().GetActiveLightMode(1), 3);
    EXPECT_EQ(view.Count("SaveWait"), 3);
}

TEST_F(LightingTest, AColourGoesIntoTheChosenSlotOfASevenColourEffect) {
    Connect(kW1);
    ASSERT_TRUE(Actions().SetLightingEffect(2));  // breathing: seven colours
    ASSERT_TRUE(Actions().SetLightingColour(4, 0x0000AA));
    Idle();
    const auto row = Db().GetLightRow(1, 2);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->color_values[0], 0x0000FF) << "the first colour stays";
    EXPECT_EQ(row->color_values[4], 0x0000AA);
    const Bytes frame = LastLightingFrame();
    ASSERT_EQ(frame.size(), 65u);
    EXPECT_EQ(frame[4], 24);
    EXPECT_EQ((Bytes{frame[20], frame[21], frame[22]}), (Bytes{0xAA, 0x00, 0x00}));  // slot 5
}

TEST_F(LightingTest, ResetAsksThenRestoresAndReadsTheEffectBack) {
    Connect(kW1);
    ASSERT_TRUE(Actions().SetLightingEffect(1));
    Idle();
    ASSERT_EQ(Mouse(kW1).State().PayloadOf(0x05)[0], 1);
    TakeWrites(kW1);
    view.Clear();

    ASSERT_TRUE(Actions().ResetLighting());
    EXPECT_EQ(view.Count("Ask 276 275 ok-cancel"), 1);
    ASSERT_TRUE(WaitForTask(hid::kTaskRestoreLighting, TaskOutcome::kAcknowledged));
    Idle();
    Bytes restore(33, 0);
    restore[1] = 0x0E;
    restore[3] = restore[4] = restore[5] = 0x01;
    restore[32] = 0x01;
    Bytes read(33, 0);
    read[1] = 0x15;
    EXPECT_EQ(TakeWrites(kW1), (std::vector<Bytes>{restore, read}));
    // The mouse went back to its own effect, and so did the profile.
    EXPECT_EQ(controller->CurrentEffect(), kMouseEffect);
    EXPECT_EQ(Db().GetActiveLightMode(1), kMouseEffect);
    EXPECT_EQ(view.Count("Refresh Lighting"), 1);

    view.ScriptAnswer(MessageAnswer::kSecondButton);
    EXPECT_FALSE(Actions().ResetLighting());
    Idle();
    EXPECT_TRUE(TakeWrites(kW1).empty());
}

TEST_F(LightingTest, AProductWithoutLightingHasNoRowsAndSendsNothing) {
    Connect(kC2);
    EXPECT_EQ(Db().CountLightRows(1), 0);
    EXPECT_FALSE(Actions().SetLightingBrightness(2)) << "no row for the effect";
    ASSERT_FALSE(Actions().SetLightingEffect(1));
    ASSERT_TRUE(WaitForTask(hid::kTaskSendLighting, TaskOutcome::kNothingSent));
    Idle();
    EXPECT_TRUE(TakeWrites(kC2).empty());
    EXPECT_EQ(view.Count("Refresh Lighting"), 0);
}

}  // namespace
}  // namespace mousedeck::shell::app::test
