#include "shell/app/hotplug_source.h"

#include "devices/discovery/hotplug_monitor.h"

namespace mousedeck::shell::app {
namespace {

class UdevHotplug final : public HotplugSource {
public:
    explicit UdevHotplug(HotplugListener listener) : monitor_(std::move(listener)) {}
    ~UdevHotplug() override { monitor_.Stop(); }
    bool Start() { return monitor_.Start(); }

private:
    discovery::HotplugMonitor monitor_;
};

}  // namespace

std::unique_ptr<HotplugSource> StartUdevHotplug(HotplugListener listener) {
    auto source = std::make_unique<UdevHotplug>(std::move(listener));
    if (!source->Start()) {
        return nullptr;
    }
    return source;
}

}  // namespace mousedeck::shell::app
