#include <gtest/gtest.h>

#include "discovery_fixture.h"

namespace mousedeck::discovery::test {
namespace {

// Two products: 101 by cable only, 102 by cable or receiver. The receiver
// product is not the default type, so marking "the receiver card" can be told
// apart from marking the card of type 101.
std::filesystem::path TwoProductFolder() {
    static const mousedeck::test::TempDir folder;
    mousedeck::test::WriteFile(folder / "config.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<config>
<device>
<mouse name="Alpha" device_type="101" device_attr="alpha" image="alpha.png">
<mode value="0" desc="cable" vid="1209" pid="0010" dev_id="ALPH" hid_interface="MI_02"/>
</mouse>
<mouse name="Bravo" device_type="102" device_attr="bravo" image="bravo.png">
<mode value="0" desc="cable" vid="1209" pid="0011" dev_id="BRAV" hid_interface="MI_02"/>
<mode value="1" desc="receiver" vid="1209" pid="0012" dev_id="BRAV" hid_interface="MI_02"/>
</mouse>
</device>
</config>
)");
    return folder.path();
}

constexpr int kAlpha = 101;
constexpr int kBravo = 102;

struct MarkCase {
    const char* label;
    bool cable;
    bool receiver;
    bool connected_before;
    int kind;
    std::vector<std::string> calls;
    bool connected_after;
    int receiver_card_after;
};

class MarkReceiverTest : public DiscoveryFixture, public ::testing::WithParamInterface<MarkCase> {
protected:
    MarkReceiverTest() : DiscoveryFixture(TwoProductFolder()) {}
};

TEST_P(MarkReceiverTest, ActsOnlyForAReceiverConnection) {
    const MarkCase& c = GetParam();
    Plug(kAlpha, false, false);
    Plug(kBravo, c.cable, c.receiver);
    discovery.RefreshAndSelect();
    discovery.SetCardState(kBravo, 1, 0);  // as when the receiver reported the mouse lost
    state.SetDeviceConnected(c.connected_before);
    view.Clear();
    view.connected_probe = [this] { return state.DeviceConnected(); };

    EXPECT_EQ(discovery.MarkReceiverConnected(), c.kind);

    EXPECT_EQ(view.Calls(), c.calls);
    EXPECT_EQ(state.DeviceConnected(), c.connected_after);
    for (const bool connected : view.ConnectedAtCaption()) {
        EXPECT_TRUE(connected) << "the receiver's caption comes after the state";
    }
    EXPECT_EQ(state.Cards().StateOf(kBravo, 1), c.receiver_card_after);
    EXPECT_EQ(state.Cards().StateOf(kAlpha, 1), 0) << "only the current product's card is marked";
}

INSTANTIATE_TEST_SUITE_P(
    Connections, MarkReceiverTest,
    ::testing::Values(
        MarkCase{"CableAnswersForItself", true, true, false, 0, {}, false, 0},
        MarkCase{"NoDevice", false, false, false, -1, {}, false, 0},
        MarkCase{"ReceiverShowsTheConnection",
                 false,
                 true,
                 false,
                 1,
                 {"ClosePopups", "CardState 102 1 1", "Caption 52"},
                 true,
                 1},
        MarkCase{
            "ReceiverAlreadyShown", false, true, true, 1, {"ClosePopups", "CardState 102 1 1"}, true, 1}),
    [](const auto& p) { return std::string(p.param.label); });

class CardStateTest : public DiscoveryFixture {
protected:
    CardStateTest() : DiscoveryFixture(TwoProductFolder()) {}
};

TEST_F(CardStateTest, NotificationsKeepTheCardsAndTheirPresence) {
    Plug(kAlpha, false, false);
    Plug(kBravo, false, true);
    discovery.RefreshAndSelect();
    ASSERT_TRUE(state.AnyCardPresent());
    view.Clear();

    discovery.SetCardState(kBravo, 1, 0);
    EXPECT_FALSE(state.AnyCardPresent()) << "the receiver's mouse was the only device";
    discovery.SetCardState(kBravo, 1, 2);
    EXPECT_TRUE(state.AnyCardPresent()) << "state 2 counts as present, as for IsIdentified";
    // No such connection mode: the view hears it, the cards do not change.
    discovery.SetCardState(kBravo, 5, 1);
    EXPECT_EQ(view.Calls(),
              (std::vector<std::string>{"CardState 102 1 0", "CardState 102 1 2", "CardState 102 5 1"}));
    EXPECT_EQ(state.Cards().StateOf(kBravo, 1), 2);
}

}  // namespace
}  // namespace mousedeck::discovery::test
