#include <gtest/gtest.h>

#include <vector>

#include "app_fixture.h"
#include "hid/task_code.h"
#include "store/config_defaults.h"
#include "store/settings_database.h"

namespace mousedeck::shell::app::test {
namespace {

namespace key = store::config_key;

struct SwitchCase {
    const char* name;
    int device_type;
    int profile;  // made active; profile 1 is active after the first connection
    std::vector<int> commands;
};

class ProfileSwitchTest : public AppFixture, public ::testing::WithParamInterface<SwitchCase> {};

// Making a profile active rewrites everything the mouse stores, in a fixed
// order, from that profile's keys; also when it was active already.
TEST_P(ProfileSwitchTest, WritesEverySettingInOrder) {
    const SwitchCase& c = GetParam();
    StartConnected(c.device_type);
    ASSERT_EQ(controller->CurrentDeviceType(), c.device_type);
    SetKey(key::kReportRate, "8", c.profile);  // 125 Hz
    SetKey(key::kButtonRespondTime, "12", c.profile);
    TakeWrites(c.device_type);
    view.Clear();

    ASSERT_TRUE(Actions().MakeProfileActive(c.profile));
    EXPECT_EQ(controller->CurrentProfile(), c.profile);
    EXPECT_EQ(Db().GetActiveProfile(), c.profile);
    ASSERT_TRUE(WaitForTask(hid::kTaskWriteAllSettings, TaskOutcome::kAcknowledged));
    Idle();

    EXPECT_EQ(TakeCommands(c.device_type), c.commands);
    const auto state = Mouse(c.device_type).State();
    EXPECT_EQ(state.PayloadOf(0x02)[0], 8);
    EXPECT_EQ(state.PayloadOf(0x07)[3], 12);
    EXPECT_EQ(view.CountPrefix("ProfileName "), 1);
    EXPECT_EQ(view.Count("Refresh Buttons"), 1);
    EXPECT_EQ(view.Count("Refresh Performance"), 1);
    EXPECT_EQ(view.Count("Refresh Lighting"), c.device_type == kW1 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Products, ProfileSwitchTest,
    ::testing::Values(SwitchCase{"WithLighting", kW1, 2, {0x09, 0x05, 0x03, 0x04, 0x02, 0x06, 0x07}},
                      SwitchCase{"WithoutLighting", kC2, 3, {0x09, 0x03, 0x04, 0x02, 0x06, 0x07}},
                      SwitchCase{"AlreadyActive", kW1, 1, {0x09, 0x05, 0x03, 0x04, 0x02, 0x06, 0x07}}),
    [](const ::testing::TestParamInfo<SwitchCase>& p) { return std::string(p.param.name); });

class ProfileRequestTest : public AppFixture {
protected:
    void SetUp() override { StartConnected(kW1, true, true); }
};

TEST_F(ProfileRequestTest, AProfileWithoutRowIsRefusedAndTheActiveOneStays) {
    for (int profile : {0, 5, -1}) {
        EXPECT_FALSE(Actions().MakeProfileActive(profile)) << profile;
    }
    Idle();
    EXPECT_EQ(Db().GetActiveProfile(), 1);
    EXPECT_EQ(controller->CurrentProfile(), 1);
    EXPECT_EQ(view.CountPrefix("Task "), 0);
}

TEST_F(ProfileRequestTest, RenamingShowsTheNameOnlyForTheCurrentProfile) {
    EXPECT_FALSE(Actions().RenameProfile(1, "")) << "an empty name is ignored";
    EXPECT_TRUE(Actions().RenameProfile(2, "Work"));
    EXPECT_EQ(view.CountPrefix("ProfileName "), 0);
    EXPECT_TRUE(Actions().RenameProfile(1, "Games"));
    EXPECT_EQ(view.WithPrefix("ProfileName "), std::vector<std::string>{"ProfileName Games"});
    EXPECT_EQ(Db().GetProfileName(2).value_or(""), "Work");
}

TEST_F(ProfileRequestTest, TheListOpensOnlyWithADevice) {
    EXPECT_TRUE(Actions().OpenProfileList());
    Plug(kW1, false, false);
    ASSERT_TRUE(WaitForTask(hid::kTaskDeviceRemoved, TaskOutcome::kNothingSent, 2));
    Idle();
    EXPECT_FALSE(Actions().OpenProfileList());
    EXPECT_EQ(view.Count("Message 576 57"), 1);
}

}  // namespace
}  // namespace mousedeck::shell::app::test
