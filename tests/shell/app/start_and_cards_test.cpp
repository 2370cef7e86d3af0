#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "app_fixture.h"
#include "hid/task_code.h"
#include "store/config_defaults.h"
#include "store/settings_database.h"

namespace mousedeck::shell::app::test {
namespace {

class StartAndCardsTest : public AppFixture {};

// Every run starts from the default product whatever was saved, finds and
// reads the mouse first and checks for updates after that.
TEST_F(StartAndCardsTest, StartUpResetsTheProductAndRunsTheFirstTaskBeforeTheUpdateCheck) {
    ASSERT_TRUE(settings.WriteRegistryNumber(kDeviceTypeValue, kC2));
    std::atomic<int> connected_at_update_check{-1};
    Create();
    controller->RegisterTaskRoutine(
        hid::kTaskCheckAppUpdate, [&] { connected_at_update_check = controller->DeviceConnected() ? 1 : 0; });
    Start();
    ASSERT_TRUE(WaitForTask(hid::kTaskFindAndRead, TaskOutcome::kAcknowledged));
    Idle();
    EXPECT_EQ(view.WithPrefix("AddCard "), (RecordingUserView::Lines{"AddCard 101 Mousedeck Demo W1 Wireless",
                                                                     "AddCard 102 Mousedeck Demo C2 Wired"}));
    EXPECT_EQ(controller->CurrentDeviceType(), kW1);
    EXPECT_EQ(settings.ReadDeviceType(), kW1);
    EXPECT_EQ(connected_at_update_check.load(), 1) << "the update check runs after the first refresh";
}

// Choosing another product's card opens its database; its own active
// profile becomes current before any page is shown from it.
TEST_F(StartAndCardsTest, ChoosingAnotherProductTakesItsOwnProfile) {
    Start();
    ASSERT_TRUE(WaitForTask(hid::kTaskFindAndRead, TaskOutcome::kAcknowledged));
    Idle();
    ASSERT_TRUE(Actions().MakeProfileActive(3));
    Idle();
    view.Clear();

    controller->ChooseDeviceCard(kC2);
    EXPECT_EQ(controller->CurrentDeviceType(), kC2);
    EXPECT_EQ(std::filesystem::path(Db().path()).filename(), "demo_c2_data1.db");
    EXPECT_EQ(Db().ListProfiles().size(), 4u);
    EXPECT_EQ(controller->CurrentProfile(), 1);
    EXPECT_EQ(view.Count("Refresh Buttons"), 1);
    EXPECT_EQ(view.Count("DevicePages"), 1);
    Idle();
    EXPECT_EQ(view.CountPrefix("Task "), 0) << "a wired mouse is not read again";

    controller->ChooseDeviceCard(kW1);
    EXPECT_EQ(controller->CurrentProfile(), 3);
}

// When the current product goes, the one left is selected; its settings are
// read into its own active profile.
TEST_F(StartAndCardsTest, RemovingTheCurrentProductSelectsTheOtherWithItsProfiles) {
    Start();
    ASSERT_TRUE(WaitForTask(hid::kTaskFindAndRead, TaskOutcome::kAcknowledged));
    Idle();
    ASSERT_TRUE(Actions().MakeProfileActive(3));
    Idle();

    Plug(kW1, false, false);
    ASSERT_TRUE(WaitForTask(hid::kTaskDeviceRemoved, TaskOutcome::kAcknowledged, 2));
    Idle();
    EXPECT_EQ(controller->CurrentDeviceType(), kC2);
    EXPECT_EQ(controller->CurrentProfile(), 1);
    EXPECT_EQ(Db().GetActiveProfile(), 1);
    EXPECT_EQ(Key(store::config_key::kButtonRespondTime), std::to_string(kMouseDebounce));
}

TEST_F(StartAndCardsTest, ChoosingAMouseBehindItsReceiverReadsIt) {
    Plug(kW1, false, true);
    Start();
    ASSERT_TRUE(WaitForTask(hid::kTaskFindAndRead, TaskOutcome::kAcknowledged));
    Idle();
    controller->ChooseDeviceCard(kC2);
    controller->ChooseDeviceCard(kW1);
    ASSERT_TRUE(WaitForTask(hid::kTaskReadThroughReceiver, TaskOutcome::kAcknowledged));
    EXPECT_EQ(view.WithPrefix("Caption ").back(), "Caption 52");
}

TEST_F(StartAndCardsTest, ACardWithoutAnIdentifiedMouseIsRefused) {
    Plug(kC2, false, false);
    Start();
    ASSERT_TRUE(WaitForTask(hid::kTaskFindAndRead, TaskOutcome::kAcknowledged));
    Idle();
    view.Clear();
    controller->ChooseDeviceCard(kC2);
    EXPECT_EQ(view.Calls(), RecordingUserView::Lines{"Message 57 56"});
    EXPECT_EQ(controller->CurrentDeviceType(), kW1);
}

}  // namespace
}  // namespace mousedeck::shell::app::test
