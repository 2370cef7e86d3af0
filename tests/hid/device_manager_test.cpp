#include "hid/device_manager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "hid_fixture.h"

namespace mousedeck::hid::test {
namespace {

using DeviceManagerTest = HidFixture;

TEST_F(DeviceManagerTest, EnumerationKeepsOnlyCommandCollectionsOfSupportedIds) {
    struct Case {
        const char* name;
        uint16_t pid;
        uint16_t usage_page;
        uint16_t usage;
        bool kept;
    };
    const std::vector<Case> cases = {
        {"vendor collection", kWiredPid, 0xFF01, 0x0010, true},
        {"generic desktop, usage 0", kWiredPid, 0x0001, 0x0000, true},
        {"keyboard on the same ids", kWiredPid, 0x0001, 0x0006, false},
        {"consumer page", kWiredPid, 0x000C, 0x0001, false},
        {"vendor page, other usage", kWiredPid, 0xFF01, 0x0001, false},
        {"boot-loader", kWiredPid, 0xFFEF, 0x0000, false},
        {"unsupported product", 0x9999, 0xFF01, 0x0010, false},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        HidDeviceInfo info = CommandInterface("/dev/hidraw" + std::to_string(i), kVid, cases[i].pid);
        info.usage_page = cases[i].usage_page;
        info.usage = cases[i].usage;
        backend.Add(info).SetResponder(MouseResponder("M102"));
    }
    DeviceManager& m = Manager();
    m.Enumerate();
    m.SetCurrentDeviceType(0);
    std::vector<std::string> kept;
    for (const HidInterface& i : m.InterfacesOfCurrentType()) {
        kept.push_back(i.path);
    }
    for (size_t i = 0; i < cases.size(); ++i) {
        const bool found = std::count(kept.begin(), kept.end(), "/dev/hidraw" + std::to_string(i)) == 1;
        EXPECT_EQ(found, cases[i].kept) << cases[i].name;
    }
    EXPECT_EQ(backend.OpenCount(), 2) << "rejected collections are not opened";
}

TEST_F(DeviceManagerTest, EnumerationFillsTheInterfaceAndSkipsDuplicatesAndUnopenable) {
    AddWired();
    HidDeviceInfo second_collection = CommandInterface("/dev/hidraw-wired", kVid, kWiredPid);
    second_collection.usage_page = 0x0001;
    second_collection.usage = 0x0000;
    backend.Add(second_collection);  // same node listed for another collection
    AddDongle("/dev/hidraw-locked").SetOpenFails(true);
    DeviceManager& m = Opened();

    ASSERT_TRUE(m.Opened());
    const std::vector<HidInterface> all = m.InterfacesOfCurrentType();
    ASSERT_EQ(all.size(), 1u);
    const HidInterface& wired = all[0];
    EXPECT_EQ(wired.path, "/dev/hidraw-wired");
    EXPECT_EQ(wired.vendor_id, kVid);
    EXPECT_EQ(wired.product_id, kWiredPid);
    EXPECT_EQ(wired.release_number, 0x0105);
    EXPECT_EQ(wired.device_type, kProductType);
    EXPECT_EQ(wired.connection_mode, kWiredMode);
    EXPECT_EQ(wired.online_state, kOnline);
    EXPECT_EQ(wired.device_id, "M102");
    EXPECT_EQ(wired.identity_reply[1], 0x00);
    EXPECT_EQ(wired.identity_reply[4], 'M');
    EXPECT_TRUE(wired.open);
}

TEST_F(DeviceManagerTest, IdentityQueryIsRetriedOnceThenLeftUnidentified) {
    struct Case {
        const char* name;
        int failing_queries;
        int expected_type;
        size_t expected_writes;
    };
    const std::vector<Case> cases = {
        {"first answer", 0, kProductType, 1},
        {"second answer after the retry", 1, kProductType, 2},
        {"never answers", 2, 0, 2},
    };
    for (const Case& c : cases) {
        FakeBackend local;
        FakeDevice& mouse = local.Add(CommandInterface("/dev/hidraw-x", kVid, kWiredPid));
        auto answered = std::make_shared<int>(0);
        mouse.SetResponder([c, answered, ok = MouseResponder("M102")](const Bytes& w) -> std::vector<Bytes> {
            return ++*answered > c.failing_queries ? ok(w) : std::vector<Bytes>{};
        });
        DeviceManager m(local, FastTiming());
        m.AddRule({kVid, kWiredPid, kProductType, kWiredMode, "M102"});
        m.Enumerate();
        const auto all = m.InterfacesOfCurrentType();
        ASSERT_EQ(all.size(), 1u) << c.name << ": an unidentified interface stays listed";
        EXPECT_EQ(all[0].device_type, c.expected_type) << c.name;
        EXPECT_EQ(all[0].device_id.empty(), c.expected_type == 0) << c.name;
        const auto writes = mouse.Writes();
        ASSERT_EQ(writes.size(), c.expected_writes) << c.name;
        for (const Bytes& w : writes) {
            EXPECT_EQ(w.size(), 33u) << c.name << ": the identity query writes 33 bytes";
            EXPECT_EQ(w[1], 0x10);
        }
        m.SetCurrentDeviceType(kProductType);
        EXPECT_EQ(m.IsIdentified(kProductType), c.expected_type != 0) << c.name;
    }
}

TEST_F(DeviceManagerTest, SelectionPrefersTheCableAndNeedsAnOnlineReceiver) {
    struct Case {
        const char* name;
        bool wired;
        bool dongle;
        int dongle_online;
        int current_type;
        std::optional<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"cable wins over an online receiver", true, true, kOnline, kProductType, "/dev/hidraw-wired"},
        {"receiver with its mouse online", false, true, kOnline, kProductType, "/dev/hidraw-dongle"},
        {"receiver whose mouse is off", false, true, kOfflineByNotification, kProductType, std::nullopt},
        {"receiver offline by poll", false, true, kOfflineByPoll, kProductType, std::nullopt},
        {"other current type", true, true, kOnline, 103, std::nullopt},
        {"nothing plugged", false, false, kOnline, kProductType, std::nullopt},
    };
    for (const Case& c : cases) {
        FakeBackend local;
        if (c.wired) {
            local.Add(CommandInterface("/dev/hidraw-wired", kVid, kWiredPid)).SetResponder(MouseResponder("M102"));
        }
        if (c.dongle) {
            local.Add(CommandInterface("/dev/hidraw-dongle", kVid, kDonglePid)).SetResponder(MouseResponder("M102"));
        }
        DeviceManager m(local, FastTiming());
        m.AddRule({kVid, kWiredPid, kProductType, kWiredMode, "M102"});
        m.AddRule({kVid, kDonglePid, kProductType, kDongleMode, "M102"});
        m.Enumerate();
        m.SetOnlineState(kProductType, kDongleMode, c.dongle_online);
        m.SetCurrentDeviceType(c.current_type);
        const auto selected = m.SelectInterface();
        EXPECT_EQ(selected ? std::optional(selected->path) : std::nullopt, c.expected) << c.name;
        EXPECT_EQ(m.SelectedIds().has_value(), c.expected.has_value()) << c.name;
    }
}

TEST_F(DeviceManagerTest, SelectedReceiverStaysSelectedUntilTheCacheIsCleared) {
    AddDongle();
    DeviceManager& m = Opened();
    ASSERT_TRUE(m.SelectInterface());
    m.SetOnlineState(kProductType, kDongleMode, kOfflineByNotification);
    EXPECT_TRUE(m.SelectInterface()) << "a change of online state keeps the cache";
    m.ClearSelection();
    EXPECT_FALSE(m.SelectInterface());
    m.SetOnlineState(kProductType, kDongleMode, kOnline);
    ASSERT_TRUE(m.SelectInterface());
    m.SetOnlineState(kProductType, kDongleMode, kOfflineByPoll);
    m.SetCurrentDeviceType(kProductType);
    EXPECT_FALSE(m.SelectInterface()) << "setting the current type empties the cache";
}

TEST_F(DeviceManagerTest, UnpluggedCableHandsCommandsToTheReceiver) {
    FakeDevice& wired = AddWired();
    AddDongle();
    DeviceManager& m = Opened();
    ASSERT_EQ(m.SelectInterface()->path, "/dev/hidraw-wired");
    wired.Unplug();
    for (int i = 0; i < 200 && m.LostCount() == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(m.LostCount(), 1u);
    EXPECT_EQ(m.SelectInterface()->path, "/dev/hidraw-dongle");
    const auto listed = m.InterfacesOfCurrentType();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_FALSE(listed[0].open);
    EXPECT_TRUE(listed[1].open);
    EXPECT_EQ(m.ConnectionKind(), kWiredMode) << "the list still names the cable until re-enumeration";
}

TEST_F(DeviceManagerTest, QueriesOverTheList) {
    AddWired();
    AddDongle();
    backend.Add(CommandInterface("/dev/hidraw-other", kVid, 0x0303, 0x0300)).SetResponder(MouseResponder("ZZZZ"));
    DeviceManager& m = Manager();
    m.AddRule({kVid, 0x0303, 103, kDongleMode, "ZZZZ"});

    EXPECT_FALSE(m.ReleaseNumberOf(kWiredMode)) << "nothing before the first enumeration";
    m.Enumerate();
    EXPECT_EQ(m.ReleaseNumberOf(kWiredMode), 0x0105);
    EXPECT_EQ(m.ReleaseNumberOf(kDongleMode), 0x0207) << "first interface of the mode";

    m.SetCurrentDeviceType(0);
    EXPECT_EQ(m.InterfacesOfCurrentType().size(), 3u);
    m.SetCurrentDeviceType(103);
    EXPECT_EQ(m.InterfacesOfCurrentType().size(), 1u);
    EXPECT_EQ(m.ConnectionKind(), kDongleMode);
    m.SetCurrentDeviceType(kProductType);
    EXPECT_EQ(m.ConnectionKind(), kWiredMode);
    m.SetCurrentDeviceType(104);
    EXPECT_EQ(m.ConnectionKind(), -1);
    EXPECT_TRUE(m.InterfacesOfCurrentType().empty());

    EXPECT_TRUE(m.IsIdentified(103));
    m.SetOnlineState(103, kDongleMode, kOfflineByPoll);
    EXPECT_TRUE(m.IsIdentified(103)) << "any state above 0 counts as present";
    m.SetOnlineState(103, kDongleMode, kOfflineByNotification);
    EXPECT_FALSE(m.IsIdentified(103));

    m.CloseAll();
    EXPECT_FALSE(m.Opened());
    EXPECT_FALSE(m.ReleaseNumberOf(kWiredMode));
    m.SetCurrentDeviceType(0);
    EXPECT_TRUE(m.InterfacesOfCurrentType().empty());
}

}  // namespace
}  // namespace mousedeck::hid::test
