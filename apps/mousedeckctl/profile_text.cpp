#include "profile_text.h"

#include "devices/discovery/discovery_view.h"
#include "store/profile_setup.h"

namespace mousedeck::ctl {
const char* ConnectionWord(int caption) {
    switch (caption) {
        case discovery::kCaptionWired:
            return "cable";
        case discovery::kCaptionReceiver:
            return "receiver";
        default:
            return "none";
    }
}

std::string ProductName(Session& session, int device_type) {
    const auto* mouse = session.Controller().Catalogue().FindMouse(device_type);
    return mouse != nullptr && !mouse->name.empty() ? mouse->name
                                                    : "device type " + std::to_string(device_type);
}

void PutCurrentProduct(Session& session, Report& report) {
    auto& controller = session.Controller();
    const int device_type = controller.CurrentDeviceType();
    const int caption = session.View().ConnectionCaption();
    const std::string name = ProductName(session, device_type);
    report.Json()["device"] = {{"name", name},
                               {"device_type", device_type},
                               {"connection", ConnectionWord(caption)},
                               {"connected", controller.DeviceConnected()}};
    report.Line(name + ": " + session.Text(caption, ConnectionWord(caption)));
}

std::string ShownProfileName(Session& session, const std::string& stored) {
    return store::ProfileDisplayName(stored, session.Text(store::kProfileWordText, "Profile"));
}

void PutCurrentProfile(Session& session, Report& report) {
    auto& controller = session.Controller();
    const int profile = controller.CurrentProfile();
    const std::string name =
        ShownProfileName(session, controller.Database().GetProfileName(profile).value_or(""));
    report.Json()["profile"] = {{"number", profile}, {"name", name}};
    report.Line("Profile " + std::to_string(profile) + " of " + std::to_string(store::kProfileCount) + ": " +
                name);
}

}  // namespace mousedeck::ctl
