#include <gtest/gtest.h>

#include <thread>

#include "hid_fixture.h"

namespace mousedeck::hid::test {
namespace {

using Buffer = std::array<uint8_t, 65>;

class NotificationTest : public HidFixture {
protected:
    // Waits until the reader thread has queued what the device delivered.
    void Settle() {
        for (int i = 0; i < 200 && !manager->NotificationPending(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    // A receiver alone, identified, its mouse marked unreachable so that no
    // interface is selected and notifications take the receiver path.
    FakeDevice& OpenUnselectedDongle(FakeBackend& local, int offline_state) {
        FakeDevice& dongle = local.Add(CommandInterface("/dev/d", kVid, kDonglePid));
        dongle.SetResponder(MouseResponder("M102"));
        manager = std::make_unique<DeviceManager>(local, FastTiming());
        manager->AddRule({kVid, kDonglePid, kProductType, kDongleMode, "M102"});
        manager->Enumerate();
        manager->SetCurrentDeviceType(kProductType);
        manager->SetOnlineState(kProductType, kDongleMode, offline_state);
        manager->ClearSelection();
        return dongle;
    }
    int OnlineStateOf(const std::string& path) {
        const int saved = manager->CurrentDeviceType();
        manager->SetCurrentDeviceType(0);
        int state = -1;
        for (const HidInterface& i : manager->InterfacesOfCurrentType()) {
            if (i.path == path) {
                state = i.online_state;
            }
        }
        manager->SetCurrentDeviceType(saved);
        return state;
    }
};

TEST_F(NotificationTest, SelectedInterfaceDeliversItsReports) {
    FakeDevice& mouse = AddWired();
    DeviceManager& m = Manager();
    Buffer buffer{};
    int type = -1;
    EXPECT_FALSE(m.ReadNotification(buffer, type)) << "not opened";

    m.Enumerate();
    m.SetCurrentDeviceType(kProductType);
    EXPECT_FALSE(m.ReadNotification(buffer, type)) << "nothing came";
    EXPECT_EQ(type, kProductType);

    mouse.Deliver({0xC2, 0x23});
    Settle();
    buffer.fill(0xEE);
    ASSERT_TRUE(m.ReadNotification(buffer, type));
    EXPECT_EQ(buffer[0], 0xC2);
    EXPECT_EQ(buffer[1], 0x23);
    EXPECT_EQ(buffer[2], 0x00) << "the rest of the buffer is cleared";
}

struct ConnectionCase {
    const char* name;
    Bytes report;
    int expected_state;
    bool reidentified;
};

TEST_F(NotificationTest, ReceiverConnectionReportsWithoutASelectedInterface) {
    const std::vector<ConnectionCase> cases = {
        {"mouse switched on", {0xC0, 0x01, 0x64, 0x01}, kOnline, true},
        {"mouse switched off", {0xC0, 0x00, 0x00, 0x00}, kOfflineByNotification, false},
        {"any other byte 1 is off", {0xC0, 0x02}, kOfflineByNotification, false},
    };
    for (const ConnectionCase& c : cases) {
        FakeBackend local;
        FakeDevice& dongle = OpenUnselectedDongle(local, kOfflineByPoll);
        const size_t writes_before = dongle.WriteCount();

        dongle.Deliver(c.report);
        Settle();
        Buffer buffer{};
        int type = -1;
        EXPECT_FALSE(manager->ReadNotification(buffer, type)) << c.name << ": the receiver path answers false";
        EXPECT_EQ(buffer[0], 0xC0) << c.name;
        EXPECT_EQ(buffer[1], c.report[1]) << c.name;
        EXPECT_EQ(type, kProductType) << c.name;
        EXPECT_EQ(OnlineStateOf("/dev/d"), c.expected_state) << c.name;
        EXPECT_EQ(dongle.WriteCount() - writes_before, c.reidentified ? 1u : 0u) << c.name;
        manager.reset();  // before the backend it reads from
    }
}

TEST_F(NotificationTest, MouseFoundBehindTheReceiverIsIdentifiedAndTyped) {
    FakeDevice& dongle = AddDongle();
    bool mouse_on = false;
    dongle.SetResponder([&](const Bytes& w) { return mouse_on ? MouseResponder("M102")(w) : std::vector<Bytes>{}; });
    DeviceManager& m = Manager();
    m.Enumerate();
    m.SetCurrentDeviceType(0);
    ASSERT_EQ(m.InterfacesOfCurrentType()[0].device_type, 0) << "the mouse was off at enumeration";
    EXPECT_FALSE(m.IsIdentified(kProductType));
    m.SetCurrentDeviceType(kProductType);
    EXPECT_FALSE(m.SelectInterface()) << "nothing carries commands for the product yet";

    mouse_on = true;
    dongle.Deliver({0xC0, 0x01, 0x50, 0x00});
    Settle();
    Buffer buffer{};
    int type = -1;
    m.ReadNotification(buffer, type);
    EXPECT_EQ(type, kProductType) << "the type the mouse now reports, not the stale 0";
    EXPECT_TRUE(m.IsIdentified(kProductType));
    const auto selected = m.SelectInterface();
    ASSERT_TRUE(selected);
    EXPECT_EQ(selected->device_id, "M102");
}

TEST_F(NotificationTest, ReceiverPathReadsThirtyThreeBytesFromTheReceiverThatHasData) {
    AddDongle("/dev/d1");
    FakeDevice& second = AddDongle("/dev/d2");
    DeviceManager& m = Opened();
    m.SetOnlineState(kProductType, kDongleMode, kOfflineByNotification);
    m.ClearSelection();
    Bytes long_report(65, 0x11);
    long_report[0] = 0xC2;
    second.Deliver(long_report);
    Settle();
    Buffer buffer{};
    int type = -1;
    EXPECT_FALSE(m.ReadNotification(buffer, type));
    EXPECT_EQ(buffer[0], 0xC2);
    EXPECT_EQ(buffer[32], 0x11);
    EXPECT_EQ(buffer[33], 0x00);
    EXPECT_EQ(OnlineStateOf("/dev/d1"), kOfflineByNotification) << "a DPI report changes no state";
}

TEST_F(NotificationTest, PollDongleStateRecordsConnectionReports) {
    const struct {
        const char* name;
        Bytes report;
        int expected;
    } cases[] = {
        {"connected", {0xC0, 0x01}, kOnline},
        {"lost", {0xC0, 0x00}, kOfflineByPoll},
        {"DPI report leaves the state", {0xC2, 0x11}, kOfflineByNotification},
    };
    for (const auto& c : cases) {
        FakeBackend local;
        FakeDevice& dongle = OpenUnselectedDongle(local, kOfflineByNotification);
        dongle.Deliver(c.report);
        Settle();
        manager->PollDongleState();
        EXPECT_EQ(OnlineStateOf("/dev/d"), c.expected) << c.name;
        EXPECT_TRUE(manager->NotificationPending()) << c.name << ": the report stays for the notification path";
        manager.reset();
    }
}

TEST_F(NotificationTest, UpgradeExchange) {
    FakeDevice& mouse = AddWired();
    HidDeviceInfo keyboard = CommandInterface("/dev/kbd", kVid, kWiredPid);
    keyboard.usage_page = 0x0001;
    keyboard.usage = 0x0006;
    backend.Add(keyboard);
    HidDeviceInfo loader = CommandInterface("/dev/boot", kVid, kWiredPid);
    loader.usage_page = 0xFFEF;
    loader.usage = 0x0000;
    FakeDevice& boot = backend.Add(loader);
    DeviceManager& m = Opened();
    (void)mouse;

    std::array<uint8_t, 64> report{};
    report[0] = 0x05;
    EXPECT_FALSE(m.UpgradeExchange(report)) << "no boot-loader opened";
    EXPECT_FALSE(m.OpenUpgradeInterface(kVid, 0x7777));
    ASSERT_TRUE(m.OpenUpgradeInterface(kVid, kWiredPid));

    EXPECT_TRUE(m.UpgradeExchange(report));
    ASSERT_EQ(boot.WriteCount(), 1u);
    EXPECT_EQ(boot.Writes()[0].size(), 64u);
    EXPECT_EQ(boot.ReadCalls(), 0) << "an accepted write is not followed by a read";

    boot.SetWriteFails(true);
    EXPECT_FALSE(m.UpgradeExchange(report)) << "failed twice and nothing to read";
    EXPECT_EQ(boot.WriteCount(), 3u) << "one retry";
    boot.Deliver({0x05, 0x01});
    EXPECT_TRUE(m.UpgradeExchange(report)) << "failed write, but the device answered";
    EXPECT_EQ(report[0], 0x05);
    EXPECT_EQ(report[1], 0x01);
}

}  // namespace
}  // namespace mousedeck::hid::test
