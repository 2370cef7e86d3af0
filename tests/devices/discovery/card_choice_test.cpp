#include <gtest/gtest.h>

#include "discovery_fixture.h"
#include "hid/task_code.h"

namespace mousedeck::discovery::test {
namespace {

struct ChoiceCase {
    const char* label;
    bool w1_cable;
    bool w1_receiver;
    bool c2_cable;
    int chosen;
    std::vector<std::string> calls;
    std::vector<int> tasks;
    int current_after;  // current and saved type afterwards
};

class CardChoiceTest : public DiscoveryFixture, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(CardChoiceTest, OpensThePagesOfAnIdentifiedMouseOnly) {
    const ChoiceCase& c = GetParam();
    Plug(kW1, c.w1_cable, c.w1_receiver);
    Plug(kC2, c.c2_cable, false);
    discovery.RefreshAndSelect();
    view.Clear();
    ClearTasks();

    discovery.OnDeviceCardChosen(c.chosen);

    EXPECT_EQ(view.Calls(), c.calls);
    EXPECT_EQ(Tasks(), c.tasks);
    EXPECT_EQ(state.CurrentDeviceType(), c.current_after);
    EXPECT_EQ(manager.CurrentDeviceType(), c.current_after);
    EXPECT_EQ(SavedType(), c.current_after);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, CardChoiceTest,
    ::testing::Values(
        ChoiceCase{"NotIdentifiedShowsTheMessageOnly", false, false, true, kW1, {"Message 57 56"}, {}, kC2},
        ChoiceCase{"ReceiverQueuesTheRead",
                   false,
                   true,
                   false,
                   kW1,
                   {"Caption 52", "DevicePages"},
                   {hid::kTaskReadThroughReceiver},
                   kW1},
        ChoiceCase{"CableQueuesNothing", true, true, false, kW1, {"Caption 51", "DevicePages"}, {}, kW1},
        ChoiceCase{
            "OtherProductBecomesCurrent", true, false, true, kC2, {"Caption 51", "DevicePages"}, {}, kC2}),
    [](const auto& p) { return std::string(p.param.label); });

class CardSwitchTest : public DiscoveryFixture {};

TEST_F(CardSwitchTest, ChoosingAnotherProductLoadsItsDescriptionAndDatabase) {
    Plug(kC2, true, false);
    ASSERT_EQ(discovery.RefreshAndSelect(), 0);
    ASSERT_EQ(state.CurrentProduct().device_attr, "demo_w1");
    ASSERT_EQ(DatabaseName(), "demo_w1_data1.db");
    ASSERT_TRUE(database.AddProfile({.name = "w1 profile"}));
    description_view.calls.clear();

    discovery.OnDeviceCardChosen(kC2);

    EXPECT_EQ(state.CurrentProduct().device_attr, "demo_c2");
    EXPECT_EQ(DatabaseName(), "demo_c2_data1.db");
    EXPECT_TRUE(database.opened());
    EXPECT_TRUE(database.ListProfiles().empty()) << "the other product's settings are its own";
    EXPECT_FALSE(description_view.calls.empty());
    // Commands now go to the chosen product's interface.
    const auto selected = manager.SelectInterface();
    ASSERT_TRUE(selected);
    EXPECT_EQ(selected->product_id, 0x0003);
}

TEST_F(CardSwitchTest, ChoosingTheCurrentProductAgainKeepsItsDatabaseOpen) {
    Plug(kC2, false, false);
    ASSERT_EQ(discovery.RefreshAndSelect(), 0);
    ASSERT_TRUE(database.AddProfile({.name = "kept"}));
    description_view.calls.clear();
    discovery.OnDeviceCardChosen(kW1);
    EXPECT_TRUE(description_view.calls.empty()) << "nothing to reload for the product already current";
    EXPECT_EQ(database.ListProfiles().size(), 1u);
}

}  // namespace
}  // namespace mousedeck::discovery::test
