#include "sim/interface_layout.h"

#include <atomic>
#include <cstdio>

namespace mousedeck::sim {
namespace {

struct RoleLayout {
    InterfaceRole role;
    int interface_number;
    uint16_t usage_page;
    uint16_t usage;
};

constexpr RoleLayout kLayout[] = {{InterfaceRole::kPointer, 0, 0x0001, 0x0002},
                                  {InterfaceRole::kKeyboard, 1, 0x0001, 0x0006},
                                  {InterfaceRole::kCommand, 2, 0xFF01, 0x0010},
                                  {InterfaceRole::kBootLoader, 3, 0xFFEF, 0x0000}};

std::atomic<int> g_next_unit{1};

}  // namespace

std::vector<Endpoint> InterfacesOf(const SimMode& mode, int unit, uint16_t release_number) {
    std::vector<Endpoint> endpoints;
    for (const auto& layout : kLayout) {
        Endpoint e;
        e.mode = mode.mode;
        e.role = layout.role;
        char path[48];
        std::snprintf(path, sizeof path, "sim:%d:%04x:%04x:%d", unit, mode.vendor_id, mode.product_id,
                      layout.interface_number);
        e.info.path = path;
        e.info.vendor_id = mode.vendor_id;
        e.info.product_id = mode.product_id;
        e.info.release_number = release_number;
        e.info.interface_number = layout.interface_number;
        e.info.usage_page = layout.usage_page;
        e.info.usage = layout.usage;
        if (layout.role == InterfaceRole::kCommand && mode.command_usage == CommandUsage::kGenericDesktop) {
            e.info.usage_page = 0x0001;
            e.info.usage = 0x0000;
        }
        endpoints.push_back(std::move(e));
    }
    return endpoints;
}

int NextUnit() {
    return g_next_unit.fetch_add(1);
}

}  // namespace mousedeck::sim
