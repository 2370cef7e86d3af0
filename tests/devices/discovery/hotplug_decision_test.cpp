#include "devices/discovery/hotplug_decision.h"

#include <gtest/gtest.h>

#include <vector>

namespace mousedeck::discovery {
namespace {

using Kind = HotplugEvent::Kind;

constexpr UsagePair kVendorCommand{0xFF01, 0x0010};
constexpr UsagePair kDesktopCommand{0x0001, 0x0000};
constexpr UsagePair kPointer{0x0001, 0x0002};
constexpr UsagePair kKeyboard{0x0001, 0x0006};
constexpr UsagePair kConsumer{0x000C, 0x0001};
constexpr UsagePair kBootLoader{0xFFEF, 0x0000};

devices::CatalogueMode Mode(int device_type, int value, uint32_t vendor, uint32_t product) {
    devices::CatalogueMode mode;
    mode.device_type = device_type;
    mode.value = value;
    mode.vendor_id = vendor;
    mode.product_id = product;
    return mode;
}

std::vector<devices::CatalogueMode> Modes() {
    return {
        Mode(101, 0, 0x1209, 0x0001),
        Mode(101, 1, 0x1209, 0x0002),
        // An id written beyond 16 bits never stands for the USB id it ends in.
        Mode(103, 0, 0x1209, 0x10004),
    };
}

HotplugEvent Arrival(uint16_t vendor, uint16_t product, std::vector<UsagePair> usages, int interface_number) {
    return {Kind::kArrival, "/dev/hidraw9", vendor, product, std::move(usages), interface_number};
}
// udev no longer knows a removed node's collections.
HotplugEvent Removal(uint16_t vendor, uint16_t product, int interface_number) {
    return {Kind::kRemoval, "/dev/hidraw9", vendor, product, {}, interface_number};
}

constexpr auto kNothing = HotplugAction::kNothing;
constexpr auto kArrival = HotplugAction::kQueueArrival;
constexpr auto kRemoval = HotplugAction::kQueueRemoval;
constexpr auto kUnsupported = HotplugAction::kReportUnsupported;
constexpr bool kPolling = true;
constexpr bool kIdle = false;

struct DecisionCase {
    const char* label;
    HotplugEvent event;
    bool polling;
    HotplugAction expected;
};

class DecideHotplugTest : public ::testing::TestWithParam<DecisionCase> {};

TEST_P(DecideHotplugTest, MatchesTheCatalogue) {
    const DecisionCase& c = GetParam();
    EXPECT_EQ(DecideHotplug(c.event, Modes(), c.polling), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Events, DecideHotplugTest,
    ::testing::Values(
        // Arrivals of a catalogue product: only its command collection counts.
        DecisionCase{"CommandInterface", Arrival(0x1209, 0x0001, {kVendorCommand}, 2), kPolling, kArrival},
        DecisionCase{"DesktopCommandWhileIdle", Arrival(0x1209, 0x0002, {kDesktopCommand}, 2), kIdle,
                     kArrival},
        DecisionCase{"CommandAmongCollections", Arrival(0x1209, 0x0001, {kKeyboard, kVendorCommand}, 1),
                     kIdle, kArrival},
        DecisionCase{"Keyboard", Arrival(0x1209, 0x0001, {kKeyboard}, 1), kPolling, kNothing},
        DecisionCase{"Pointer", Arrival(0x1209, 0x0001, {kPointer}, 0), kPolling, kNothing},
        DecisionCase{"Consumer", Arrival(0x1209, 0x0001, {kConsumer}, 2), kPolling, kNothing},
        DecisionCase{"BootLoader", Arrival(0x1209, 0x0001, {kBootLoader}, 3), kPolling, kNothing},
        DecisionCase{"CollectionsUnknown", Arrival(0x1209, 0x0001, {}, 2), kPolling, kNothing},
        // Arrivals of products the catalogue does not list.
        DecisionCase{"UnknownProduct", Arrival(0x1209, 0x0009, {kVendorCommand}, 2), kIdle, kUnsupported},
        DecisionCase{"IdBeyondSixteenBits", Arrival(0x1209, 0x0004, {kVendorCommand}, 2), kIdle,
                     kUnsupported},
        DecisionCase{"UnknownProductKeyboard", Arrival(0x1209, 0x0009, {kKeyboard}, 1), kIdle, kNothing},
        DecisionCase{"OtherVendor", Arrival(0x046D, 0x0001, {kVendorCommand}, 2), kIdle, kNothing},
        // Removals: the command interface of a catalogue product, while polling.
        DecisionCase{"CommandInterfaceRemoved", Removal(0x1209, 0x0002, 2), kPolling, kRemoval},
        DecisionCase{"RemovedWhileIdle", Removal(0x1209, 0x0002, 2), kIdle, kNothing},
        DecisionCase{"OtherInterfaceRemoved", Removal(0x1209, 0x0002, 0), kPolling, kNothing},
        DecisionCase{"InterfaceNumberUnknown", Removal(0x1209, 0x0002, -1), kPolling, kNothing},
        DecisionCase{"UnknownProductRemoved", Removal(0x1209, 0x0009, 2), kPolling, kNothing}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(DecideHotplug, EmptyCatalogueAcceptsNothing) {
    EXPECT_EQ(DecideHotplug(Arrival(0x1209, 0x0001, {kVendorCommand}, 2), {}, kPolling), kNothing);
    EXPECT_EQ(DecideHotplug(Removal(0x1209, 0x0001, 2), {}, kPolling), kNothing);
}

}  // namespace
}  // namespace mousedeck::discovery
