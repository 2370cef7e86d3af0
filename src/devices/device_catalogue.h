#pragma once

#include <string>
#include <utility>
#include <vector>

#include "devices/catalogue_entries.h"

namespace mousedeck::devices {

// The supported products as config.xml lists them. A value: rebuilt whole on
// every load, owned by the main controller.
class DeviceCatalogue {
public:
    const std::vector<CatalogueMouse>& Mice() const { return mice_; }
    const std::vector<CatalogueMode>& Modes() const { return modes_; }
    const SoftwareInfo& Software() const { return software_; }

    // One rule per mode, in file order.
    std::vector<MatchRule> MatchRules() const;
    // The first product with this device type; nullptr when none has it.
    const CatalogueMouse* FindMouse(int device_type) const;

    void AddMouse(CatalogueMouse mouse) { mice_.push_back(std::move(mouse)); }
    void AddMode(CatalogueMode mode) { modes_.push_back(std::move(mode)); }
    void SetSoftware(SoftwareInfo software) { software_ = std::move(software); }
    void Clear();

private:
    std::vector<CatalogueMouse> mice_;
    std::vector<CatalogueMode> modes_;
    SoftwareInfo software_;
};

}  // namespace mousedeck::devices
