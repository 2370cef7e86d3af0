#include <gtest/gtest.h>

#include "discovery_fixture.h"

namespace mousedeck::discovery::test {
namespace {

struct RefreshCase {
    const char* label;
    bool w1_cable;
    bool w1_receiver;
    bool c2_cable;
    int saved;  // DeviceType before the refresh
    int kind;   // connection kind returned
    int caption;
    const char* view;  // "DeviceList" or "NoDeviceView"
    int selected;      // card and current type; 0: no card is selected
    const char* database;
};

class RefreshAndSelectTest : public DiscoveryFixture, public ::testing::WithParamInterface<RefreshCase> {};
class RefreshTest : public DiscoveryFixture {};

TEST_P(RefreshAndSelectTest, MarksCardsSelectsSavesAndShowsTheConnection) {
    const RefreshCase& c = GetParam();
    Plug(kW1, c.w1_cable, c.w1_receiver);
    Plug(kC2, c.c2_cable, false);
    settings.WriteRegistryNumber(shell::kDeviceTypeValue, c.saved);
    view.connected_probe = [this] { return state.DeviceConnected(); };

    EXPECT_EQ(discovery.RefreshAndSelect(), c.kind);

    EXPECT_EQ(view.Last("Caption"), "Caption " + std::to_string(c.caption));
    EXPECT_EQ(view.Last("DeviceList").empty(), std::string(c.view) != "DeviceList");
    EXPECT_EQ(view.Last("NoDeviceView").empty(), std::string(c.view) != "NoDeviceView");
    const bool connected = c.kind >= 0;
    EXPECT_EQ(state.DeviceConnected(), connected);
    EXPECT_EQ(view.ConnectedAtCaption(), std::vector<bool>{connected}) << "state first, then the caption";
    const bool any_open = c.w1_cable || c.w1_receiver || c.c2_cable;
    EXPECT_EQ(state.Polling(), any_open);
    EXPECT_EQ(worker_polling.load(), any_open);

    EXPECT_EQ(state.Cards().StateOf(kW1, 0), c.w1_cable ? 1 : 0);
    EXPECT_EQ(state.Cards().StateOf(kW1, 1), c.w1_receiver ? 1 : 0);
    EXPECT_EQ(state.Cards().StateOf(kC2, 0), c.c2_cable ? 1 : 0);

    if (c.selected != 0) {
        EXPECT_EQ(view.Last("SelectedCard"), "SelectedCard " + std::to_string(c.selected));
        EXPECT_EQ(SavedType(), c.selected);
        EXPECT_EQ(state.CurrentDeviceType(), c.selected);
        EXPECT_EQ(manager.CurrentDeviceType(), c.selected);
    } else {
        EXPECT_EQ(view.Last("SelectedCard"), "");
        EXPECT_EQ(SavedType(), c.saved) << "nothing identified, nothing saved";
    }
    EXPECT_EQ(DatabaseName(), c.database);
    EXPECT_TRUE(database.opened());
    // The selected product's description was read (its buttons were shown).
    EXPECT_FALSE(state.Description().buttons.empty());
    EXPECT_FALSE(description_view.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(Connections, RefreshAndSelectTest,
                         ::testing::Values(RefreshCase{"CableAndReceiver", true, true, false, kW1, 0, 51,
                                                       "DeviceList", kW1, "demo_w1_data1.db"},
                                           RefreshCase{"ReceiverOnly", false, true, false, kW1, 1, 52,
                                                       "DeviceList", kW1, "demo_w1_data1.db"},
                                           RefreshCase{"SavedTypeAbsentOtherPresent", false, false, true, kW1,
                                                       0, 51, "DeviceList", kC2, "demo_c2_data1.db"},
                                           RefreshCase{"SavedTypeWinsOverFirstCard", true, false, true, kC2,
                                                       0, 51, "DeviceList", kC2, "demo_c2_data1.db"},
                                           RefreshCase{"UnknownSavedTypeTakesFirstPresentCard", false, true,
                                                       true, 999, 1, 52, "DeviceList", kW1,
                                                       "demo_w1_data1.db"},
                                           RefreshCase{"NothingPlugged", false, false, false, kW1, -1, 50,
                                                       "NoDeviceView", 0, "demo_w1_data1.db"}),
                         [](const auto& p) { return std::string(p.param.label); });

TEST_F(RefreshTest, ShowsEveryChangeInOrder) {
    Plug(kC2, false, false);
    const auto& w1 = Mouse(kW1).product();
    discovery.RefreshAndSelect();
    EXPECT_EQ(view.Calls(), (std::vector<std::string>{
                                "AllCardsAbsent",
                                "CardState 101 0 1",
                                "CardVersion 101 0 " + std::to_string(w1.firmware),
                                "CardState 101 1 1",
                                "CardVersion 101 1 " + std::to_string(w1.receiver_firmware),
                                "SelectedCard 101",
                                "Caption 51",
                                "DeviceList",
                                "HideSettingsPage",
                                "ClosePopups",
                            }));
}

TEST_F(RefreshTest, CommandsGoThroughTheCableWhileTheReceiverIsPresent) {
    Plug(kC2, false, false);
    ASSERT_EQ(discovery.RefreshAndSelect(), 0);
    const auto selected = manager.SelectInterface();
    ASSERT_TRUE(selected);
    EXPECT_EQ(selected->connection_mode, hid::kWiredMode);
    EXPECT_EQ(selected->product_id, 0x0001);
}

TEST_F(RefreshTest, UnplugRefreshClearsConnectedAndPolling) {
    Plug(kC2, false, false);
    ASSERT_EQ(discovery.RefreshAndSelect(), 0);
    ASSERT_TRUE(state.DeviceConnected());
    UnplugAll();
    view.Clear();
    EXPECT_EQ(discovery.RefreshAndSelect(), -1);
    EXPECT_FALSE(state.DeviceConnected());
    EXPECT_FALSE(state.Polling());
    EXPECT_FALSE(worker_polling.load());
    EXPECT_FALSE(state.AnyCardPresent());
    EXPECT_EQ(view.Calls(), (std::vector<std::string>{"AllCardsAbsent", "Caption 50", "NoDeviceView",
                                                      "HideSettingsPage", "ClosePopups"}));
    EXPECT_EQ(state.CurrentDeviceType(), kW1) << "the last product stays current";
    EXPECT_EQ(SavedType(), kW1);
}

// A mouse that answers with an identity the catalogue does not list: its
// interfaces stay open (a later connection report may identify it), but no
// card is present and nothing is selected or saved.
TEST_F(RefreshTest, UnidentifiedMouseKeepsPollingWithoutSelectingAnything) {
    UnplugAll();
    sim::SimProduct stranger = Mouse(kC2).product();
    stranger.device_id = "ZZZZ";
    sim::SimulatedMouse mouse(stranger, sim::SimOptions{});
    sim::SimulatedHidBackend stranger_backend(mouse);
    hid::DeviceManager stranger_manager(stranger_backend, FastTiming());
    for (auto& rule : MatchRulesOf(catalogue)) {
        stranger_manager.AddRule(std::move(rule));
    }
    const DiscoveryContext c = Context();
    DiscoveryState own_state;
    DeviceDiscovery own(DiscoveryContext{c.catalogue, c.folders, c.data_folder, stranger_manager, c.settings,
                                         c.database, c.description_view, c.view, c.tasks},
                        own_state);
    settings.WriteRegistryNumber(shell::kDeviceTypeValue, kC2);

    EXPECT_EQ(own.RefreshAndSelect(), -1);
    EXPECT_TRUE(own_state.Polling());
    EXPECT_FALSE(own_state.DeviceConnected());
    EXPECT_FALSE(own_state.AnyCardPresent());
    EXPECT_EQ(view.Last("SelectedCard"), "");
    EXPECT_EQ(view.Last("CardState"), "");
    EXPECT_EQ(view.Last("Caption"), "Caption 50");
    EXPECT_EQ(view.Last("NoDeviceView"), "NoDeviceView");
    stranger_manager.SetCurrentDeviceType(0);
    EXPECT_EQ(stranger_manager.InterfacesOfCurrentType().size(), 1u) << "open, with device type 0";
    EXPECT_EQ(SavedType(), kC2);
}

TEST_F(RefreshTest, RebuildAndEnumerateTakesTheCatalogueRulesAndTheSavedProduct) {
    manager.ClearRules();
    manager.AddRule({0x1234, 0x5678, 300, 0, "OLD!"});
    settings.WriteRegistryNumber(shell::kDeviceTypeValue, kC2);
    discovery.RebuildAndEnumerate();

    EXPECT_TRUE(manager.IsSupported(kVendor, 0x0001));
    EXPECT_TRUE(manager.IsSupported(kVendor, 0x0002));
    EXPECT_TRUE(manager.IsSupported(kVendor, 0x0003));
    EXPECT_FALSE(manager.IsSupported(0x1234, 0x5678)) << "the rules are replaced, not added to";
    EXPECT_TRUE(manager.Opened());
    EXPECT_EQ(manager.CurrentDeviceType(), kC2);
    EXPECT_EQ(state.CurrentDeviceType(), kC2);
    EXPECT_EQ(state.CurrentProduct().device_attr, "demo_c2");
    EXPECT_EQ(DatabaseName(), "demo_c2_data1.db");
    EXPECT_TRUE(database.opened());
    EXPECT_EQ(SavedType(), kC2);
    EXPECT_TRUE(view.Calls().empty()) << "the cards and views wait for RefreshAndSelect";
    // Every product's command interfaces are open: cable and receiver of 101,
    // cable of 102.
    manager.SetCurrentDeviceType(0);
    EXPECT_EQ(manager.InterfacesOfCurrentType().size(), 3u);
}

TEST(MatchRulesOf, KeepsCatalogueOrderAndDropsIdsBeyondSixteenBits) {
    const auto mode = [](int device_type, int value, uint32_t product, const char* dev_id) {
        devices::CatalogueMode m;
        m.device_type = device_type;
        m.value = value;
        m.vendor_id = 0x1209;
        m.product_id = product;
        m.dev_id = dev_id;
        return m;
    };
    devices::DeviceCatalogue catalogue;
    catalogue.AddMode(mode(101, 0, 0x0001, "AB"));
    catalogue.AddMode(mode(102, 1, 0x10002, "CDEF"));
    catalogue.AddMode(mode(103, 1, 0x0003, "GHIJ"));
    const auto rules = MatchRulesOf(catalogue);
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[0].product_id, 0x0001);
    EXPECT_EQ(rules[0].device_type, 101);
    EXPECT_EQ(rules[0].device_id, "AB");
    EXPECT_EQ(rules[1].product_id, 0x0003);
    EXPECT_EQ(rules[1].connection_mode, 1);
}

}  // namespace
}  // namespace mousedeck::discovery::test
