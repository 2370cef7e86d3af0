#include "devices/device_catalogue.h"

namespace mousedeck::devices {

std::vector<MatchRule> DeviceCatalogue::MatchRules() const {
    std::vector<MatchRule> rules;
    rules.reserve(modes_.size());
    for (const CatalogueMode& mode : modes_) {
        rules.push_back({mode.vendor_id, mode.product_id, mode.device_type, mode.value, mode.dev_id});
    }
    return rules;
}

const CatalogueMouse* DeviceCatalogue::FindMouse(int device_type) const {
    for (const CatalogueMouse& mouse : mice_) {
        if (mouse.device_type == device_type) {
            return &mouse;
        }
    }
    return nullptr;
}

void DeviceCatalogue::Clear() {
    mice_.clear();
    modes_.clear();
    software_ = {};
}

}  // namespace mousedeck::devices
