#include "devices/discovery/hotplug_decision.h"

#include <algorithm>

namespace mousedeck::discovery {
namespace {

bool HasProduct(const devices::CatalogueMode& mode, const HotplugEvent& event) {
    return mode.vendor_id == event.vendor_id && mode.product_id == event.product_id;
}

}  // namespace

bool IsCommandUsage(UsagePair pair) {
    return (pair.usage_page == 0x0001 && pair.usage == 0x0000) ||
           (pair.usage_page == 0xFF01 && pair.usage == 0x0010);
}

bool IsAcceptedUsage(std::span<const UsagePair> usages) {
    return std::any_of(usages.begin(), usages.end(), IsCommandUsage);
}

HotplugAction DecideHotplug(const HotplugEvent& event, std::span<const devices::CatalogueMode> modes,
                            bool polling) {
    const bool known = std::any_of(modes.begin(), modes.end(),
                                   [&](const devices::CatalogueMode& m) { return HasProduct(m, event); });
    if (event.kind == HotplugEvent::Kind::kRemoval) {
        return polling && known && event.interface_number == kCommandInterfaceNumber
                   ? HotplugAction::kQueueRemoval
                   : HotplugAction::kNothing;
    }
    if (!IsAcceptedUsage(event.usages)) {
        return HotplugAction::kNothing;
    }
    if (known) {
        return HotplugAction::kQueueArrival;
    }
    const bool vendor = std::any_of(modes.begin(), modes.end(), [&](const devices::CatalogueMode& m) {
        return m.vendor_id == event.vendor_id;
    });
    return vendor ? HotplugAction::kReportUnsupported : HotplugAction::kNothing;
}

}  // namespace mousedeck::discovery
