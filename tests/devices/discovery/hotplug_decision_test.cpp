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

struct DecisionCase {
    const char* label;
    Kind kind;
    uint16_t vendor;
    uint16_t product;
    std::vector<UsagePair> usages;
    int interface_number;
    bool polling;
    HotplugAction expected;
};

class DecideHotplugTest : public ::testing::TestWithParam<DecisionCase> {};

TEST_P(DecideHotplugTest, MatchesTheCatalogue) {
    const DecisionCase& c = GetParam();
    const HotplugEvent event{c.kind, "/dev/hidraw9", c.vendor, c.product, c.usages, c.interface_number};
    EXPECT_EQ(DecideHotplug(event, Modes(), c.polling), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Events, DecideHotplugTest,
    ::testing::Values(
        // Arrivals of a catalogue product: only its command collection counts.
        DecisionCase{"CommandInterfaceArrives", Kind::kArrival, 0x1209, 0x0001, {kVendorCommand}, 2, true,
                     HotplugAction::kQueueArrival},
        DecisionCase{"DesktopCommandArrivesWhileNotPolling", Kind::kArrival, 0x1209, 0x0002, {kDesktopCommand}, 2,
                     false, HotplugAction::kQueueArrival},
        DecisionCase{"CommandAmongSeveralCollections", Kind::kArrival, 0x1209, 0x0001, {kKeyboard, kVendorCommand},
                     1, false, HotplugAction::kQueueArrival},
        DecisionCase{"KeyboardCollection", Kind::kArrival, 0x1209, 0x0001, {kKeyboard}, 1, true,
                     HotplugAction::kNothing},
        DecisionCase{"PointerCollection", Kind::kArrival, 0x1209, 0x0001, {kPointer}, 0, true,
                     HotplugAction::kNothing},
        DecisionCase{"ConsumerCollection", Kind::kArrival, 0x1209, 0x0001, {kConsumer}, 2, true,
                     HotplugAction::kNothing},
        DecisionCase{"BootLoaderCollection", Kind::kArrival, 0x1209, 0x0001, {kBootLoader}, 3, true,
                     HotplugAction::kNothing},
        DecisionCase{"CollectionsUnknown", Kind::kArrival, 0x1209, 0x0001, {}, 2, true, HotplugAction::kNothing},
        // Arrivals of products the catalogue does not list.
        DecisionCase{"UnknownProductOfCatalogueVendor", Kind::kArrival, 0x1209, 0x0009, {kVendorCommand}, 2, false,
                     HotplugAction::kReportUnsupported},
        DecisionCase{"IdBeyondSixteenBitsIsNotItsLowHalf", Kind::kArrival, 0x1209, 0x0004, {kVendorCommand}, 2,
                     false, HotplugAction::kReportUnsupported},
        DecisionCase{"UnknownProductKeyboardIsNotReported", Kind::kArrival, 0x1209, 0x0009, {kKeyboard}, 1, false,
                     HotplugAction::kNothing},
        DecisionCase{"OtherVendor", Kind::kArrival, 0x046D, 0x0001, {kVendorCommand}, 2, false,
                     HotplugAction::kNothing},
        // Removals: the command interface of a catalogue product, while polling.
        DecisionCase{"CommandInterfaceRemoved", Kind::kRemoval, 0x1209, 0x0002, {}, 2, true,
                     HotplugAction::kQueueRemoval},
        DecisionCase{"RemovedWhileNotPolling", Kind::kRemoval, 0x1209, 0x0002, {}, 2, false,
                     HotplugAction::kNothing},
        DecisionCase{"OtherInterfaceRemoved", Kind::kRemoval, 0x1209, 0x0002, {kVendorCommand}, 0, true,
                     HotplugAction::kNothing},
        DecisionCase{"InterfaceNumberUnknown", Kind::kRemoval, 0x1209, 0x0002, {}, -1, true,
                     HotplugAction::kNothing},
        DecisionCase{"UnknownProductRemoved", Kind::kRemoval, 0x1209, 0x0009, {}, 2, true, HotplugAction::kNothing}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(DecideHotplug, EmptyCatalogueAcceptsNothing) {
    const HotplugEvent arrival{Kind::kArrival, "/dev/hidraw0", 0x1209, 0x0001, {kVendorCommand}, 2};
    EXPECT_EQ(DecideHotplug(arrival, {}, true), HotplugAction::kNothing);
    HotplugEvent removal = arrival;
    removal.kind = Kind::kRemoval;
    EXPECT_EQ(DecideHotplug(removal, {}, true), HotplugAction::kNothing);
}

}  // namespace
}  // namespace mousedeck::discovery
