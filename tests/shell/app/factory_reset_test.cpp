#include <gtest/gtest.h>

#include <algorithm>

#include "app_fixture.h"
#include "hid/task_code.h"
#include "protocol/button_slots.h"
#include "store/config_defaults.h"
#include "store/settings_database.h"

namespace mousedeck::shell::app::test {
namespace {

namespace key = store::config_key;

class FactoryResetTest : public AppFixture {
protected:
    void SetUp() override {
        StartConnected(kW1, true, true);
        // Settings away from the defaults in two profiles, a binding, and
        // profile 3 active.
        SetKey(key::kReportRate, "8", 1);
        SetKey(key::kReportRate, "4", 3);
        store::ButtonBinding binding;
        binding.key_code = 2;
        binding.macro_type = static_cast<int>(protocol::Family::kDisabled);
        binding.macro_value = 1;
        ASSERT_TRUE(Actions().SetButtonBinding(binding));
        ASSERT_TRUE(Actions().MakeProfileActive(3));
        Idle();
        TakeWrites(kW1);
        view.Clear();
    }
};

TEST_F(FactoryResetTest, ConfirmedResetsMouseProfilesAndBindings) {
    ASSERT_TRUE(controller->WasReadBack(kW1));
    ASSERT_TRUE(Actions().FactoryReset());
    EXPECT_EQ(view.Count("Ask 570 571 ok-cancel"), 1);
    EXPECT_FALSE(controller->WasReadBack(kW1)) << "the next connection reads the mouse again";
    ASSERT_TRUE(WaitForTask(hid::kTaskFactoryReset, TaskOutcome::kAcknowledged));
    Idle();

    Bytes reset(33, 0);
    reset[1] = 0x0F;
    reset[3] = 0x01;
    reset[4] = 0x01;
    reset[5] = 0xFF;
    reset[32] = 0xFF;
    EXPECT_EQ(TakeWrites(kW1), std::vector<Bytes>{reset});

    // The description's report rate in every profile, profile 1 active and
    // current, no binding left anywhere.
    for (int profile = 1; profile <= 4; ++profile) {
        EXPECT_EQ(Key(key::kReportRate, profile), "1") << profile;
        EXPECT_TRUE(Db().ListBindings(profile).empty()) << profile;
    }
    EXPECT_EQ(Db().GetActiveProfile(), 1);
    EXPECT_EQ(controller->CurrentProfile(), 1);
    for (const char* page : {"Refresh Buttons", "Refresh Macros", "Refresh Performance"}) {
        EXPECT_EQ(view.Count(page), 1) << page;
    }
    EXPECT_EQ(view.Count("Refresh Lighting"), 2);
}

TEST_F(FactoryResetTest, CancelledChangesNothing) {
    view.ScriptAnswer(MessageAnswer::kSecondButton);
    EXPECT_FALSE(Actions().FactoryReset());
    Idle();
    EXPECT_TRUE(controller->WasReadBack(kW1));
    EXPECT_TRUE(TakeWrites(kW1).empty());
    EXPECT_EQ(Key(key::kReportRate, 3), "4");
    EXPECT_EQ(view.CountPrefix("Task "), 0);
}

TEST_F(FactoryResetTest, RefusedWithoutADevice) {
    Plug(kW1, false, false);
    ASSERT_TRUE(WaitForTask(hid::kTaskDeviceRemoved, TaskOutcome::kNothingSent, 2));
    Idle();
    view.Clear();
    EXPECT_FALSE(Actions().FactoryReset());
    Idle();
    EXPECT_EQ(view.Calls(), RecordingUserView::Lines{"Message 576 57"});
    EXPECT_EQ(Key(key::kReportRate, 3), "4");
}

}  // namespace
}  // namespace mousedeck::shell::app::test
