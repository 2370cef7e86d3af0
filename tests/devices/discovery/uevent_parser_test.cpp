#include "devices/discovery/uevent_parser.h"

#include <gtest/gtest.h>

#include "devices/discovery/sim_hotplug_source.h"

namespace mousedeck::discovery {
namespace {

constexpr const char* kUsbPath =
    "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.2/0003:1209:0001.0004/hidraw/hidraw3";

struct DevpathCase {
    const char* label;
    const char* devpath;
    std::optional<DevpathIds> expected;
};

class DevpathTest : public ::testing::TestWithParam<DevpathCase> {};

TEST_P(DevpathTest, ReadsIdsAndInterface) {
    EXPECT_EQ(ParseHidrawDevpath(GetParam().devpath), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DevpathTest,
    ::testing::Values(
        DevpathCase{"UsbInterfaceTwo", kUsbPath, DevpathIds{0x0003, 0x1209, 0x0001, 2}},
        DevpathCase{
            "BehindHubs",
            "/devices/pci0000:00/usb3/3-1/3-1.4/3-1.4.2/3-1.4.2:1.0/0003:046D:C52B.000A/hidraw/hidraw0",
            DevpathIds{0x0003, 0x046D, 0xC52B, 0}},
        DevpathCase{"LowerCaseHex", "/devices/x/1-1:1.1/0003:abcd:00ef.0001/hidraw/hidraw1",
                    DevpathIds{0x0003, 0xABCD, 0x00EF, 1}},
        DevpathCase{
            "BluetoothHasNoUsbInterface",
            "/devices/pci0000:00/usb1/1-5/1-5:1.0/bluetooth/hci0/hci0:256/0005:046D:B019.0005/hidraw/hidraw5",
            DevpathIds{0x0005, 0x046D, 0xB019, -1}},
        DevpathCase{"VirtualDevice", "/devices/virtual/misc/uhid/0003:1209:0001.0006/hidraw/hidraw6",
                    DevpathIds{0x0003, 0x1209, 0x0001, -1}},
        DevpathCase{"InterfaceBeyondAByte", "/devices/x/1-2:1.300/0003:1209:0001.0004/hidraw/hidraw3",
                    DevpathIds{0x0003, 0x1209, 0x0001, -1}},
        DevpathCase{"NotAHidrawNode", "/devices/x/1-2:1.2/0003:1209:0001.0004/input/input7", std::nullopt},
        DevpathCase{"IdNotHex", "/devices/x/1-2:1.2/0003:12G9:0001.0004/hidraw/hidraw3", std::nullopt},
        DevpathCase{"IdTooWide", "/devices/x/1-2:1.2/0003:12090:0001.0004/hidraw/hidraw3", std::nullopt},
        DevpathCase{"MissingInstance", "/devices/x/1-2:1.2/0003:1209:0001/hidraw/hidraw3", std::nullopt},
        DevpathCase{"TooShort", "hidraw/hidraw3", std::nullopt}, DevpathCase{"Empty", "", std::nullopt}),
    [](const auto& p) { return std::string(p.param.label); });

struct UeventCase {
    const char* label;
    UeventFields fields;
    std::optional<HotplugEvent> expected;
};

class UeventTest : public ::testing::TestWithParam<UeventCase> {};

TEST_P(UeventTest, BecomesAnEvent) {
    EXPECT_EQ(HotplugEventFromUevent(GetParam().fields), GetParam().expected);
}

const std::vector<uint8_t> kVendorDescriptor = {0x06, 0x01, 0xFF, 0x09, 0x10, 0xA1, 0x01, 0xC0};

INSTANTIATE_TEST_SUITE_P(
    Uevents, UeventTest,
    ::testing::Values(
        UeventCase{"ArrivalWithParents",
                   {"add", kUsbPath, "/dev/hidraw3", "0003:00001209:00000001", "02", kVendorDescriptor},
                   HotplugEvent{
                       HotplugEvent::Kind::kArrival, "/dev/hidraw3", 0x1209, 0x0001, {{0xFF01, 0x0010}}, 2}},
        // bInterfaceNumber is hexadecimal text; it wins over the devpath.
        UeventCase{"InterfaceNumberIsHex",
                   {"add", kUsbPath, "/dev/hidraw3", "0003:00001209:00000001", "0a", {}},
                   HotplugEvent{HotplugEvent::Kind::kArrival, "/dev/hidraw3", 0x1209, 0x0001, {}, 10}},
        UeventCase{"HidIdWinsOverDevpath",
                   {"add", kUsbPath, "/dev/hidraw3", "0003:00001209:00000002", "", {}},
                   HotplugEvent{HotplugEvent::Kind::kArrival, "/dev/hidraw3", 0x1209, 0x0002, {}, 2}},
        UeventCase{"BadHidIdFallsBackToDevpath",
                   {"add", kUsbPath, "/dev/hidraw3", "garbage", "zz", {}},
                   HotplugEvent{HotplugEvent::Kind::kArrival, "/dev/hidraw3", 0x1209, 0x0001, {}, 2}},
        UeventCase{"RemovalFromTheDevpathAlone",
                   {"remove", kUsbPath, "/dev/hidraw3", "", "", {}},
                   HotplugEvent{HotplugEvent::Kind::kRemoval, "/dev/hidraw3", 0x1209, 0x0001, {}, 2}},
        UeventCase{"RemovalWithoutIds",
                   {"remove", "/devices/virtual/misc/foo", "/dev/hidraw3", "", "", {}},
                   std::nullopt},
        UeventCase{"ChangeIsIgnored", {"change", kUsbPath, "/dev/hidraw3", "", "", {}}, std::nullopt},
        UeventCase{"BindIsIgnored", {"bind", kUsbPath, "/dev/hidraw3", "", "", {}}, std::nullopt}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(SimHotplugEvent, CarriesTheInterfaceAsUdevWould) {
    sim::PlugEvent plug;
    plug.kind = sim::PlugEvent::Kind::kRemoval;
    plug.info.path = "sim:3:1209:0002:2";
    plug.info.vendor_id = 0x1209;
    plug.info.product_id = 0x0002;
    plug.info.usage_page = 0xFF01;
    plug.info.usage = 0x0010;
    plug.info.interface_number = 2;
    EXPECT_EQ(HotplugEventOf(plug),
              (HotplugEvent{
                  HotplugEvent::Kind::kRemoval, "sim:3:1209:0002:2", 0x1209, 0x0002, {{0xFF01, 0x0010}}, 2}));
    plug.kind = sim::PlugEvent::Kind::kArrival;
    EXPECT_EQ(HotplugEventOf(plug).kind, HotplugEvent::Kind::kArrival);
}

}  // namespace
}  // namespace mousedeck::discovery
