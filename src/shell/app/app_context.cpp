#include "shell/app/app_context.h"

#include "devices/discovery/discovery_state.h"
#include "shell/app/debug_trace.h"
#include "shell/app_paths.h"
#include "shell/lang_text.h"

namespace mousedeck::shell::app {

devices::TextLookup AppContext::TextLookup() const {
    const LanguageTexts* lookup = &texts;
    return [lookup](int number) { return lookup->LangText(number); };
}

devices::DeviceDescription AppContext::Description() const {
    return discovery_state.Description();
}

std::string AppContext::DescriptionPath() const {
    return paths.DeviceDescriptionFile(discovery_state.CurrentProduct().device_attr).string();
}

std::optional<devices::DeviceDefaults> AppContext::Defaults() const {
    return devices::LoadDeviceDefaults(DescriptionPath());
}

int AppContext::CurrentDeviceType() const {
    return discovery_state.CurrentDeviceType();
}

void AppContext::Trace(std::string_view message) const {
    trace.Trace(message);
}

}  // namespace mousedeck::shell::app
