#include "shell/app/page_refresher.h"

#include <string>

#include "protocol/lighting_rows.h"
#include "protocol/profile_settings.h"
#include "protocol/value_codecs.h"
#include "shell/app/controller_state.h"
#include "shell/app/debug_trace.h"
#include "shell/app/user_view.h"
#include "store/config_defaults.h"
#include "store/profile_setup.h"
#include "store/settings_database.h"

namespace mousedeck::shell::app {

int PageRefresher::EnsureProfiles() {
    std::lock_guard lock(profiles_mutex_);
    const int profile =
        store::EnsureProfiles(context_.db, context_.Defaults(), context_.TextLookup(), context_.view);
    context_.state.SetCurrentProfile(profile);
    return profile;
}

int PageRefresher::ResetProfiles(const std::optional<devices::DeviceDefaults>& defaults) {
    std::lock_guard lock(profiles_mutex_);
    const int profile =
        store::ResetProfilesToDefaults(context_.db, defaults, context_.TextLookup(), context_.view);
    context_.state.SetCurrentProfile(profile);
    return profile;
}

void PageRefresher::RefreshLighting() {
    const devices::DeviceDescription description = context_.Description();
    if (!description.lighting) {
        return;
    }
    const int profile = context_.state.CurrentProfile();
    if (!protocol::EnsureLightRows(context_.db, profile, description.light_effects)) {
        context_.Trace("lighting rows of profile " + std::to_string(profile) + " not created");
    }
    context_.state.SetCurrentEffect(context_.db.GetActiveLightMode(profile));
    context_.view.RefreshPage(Page::kLighting);
}

void PageRefresher::NoteShownStages() {
    // What the DPI area shows after a fill: the stored count (the box holds
    // 1..6; it keeps its selection for anything else) and the stored index.
    const int profile = context_.state.CurrentProfile();
    const int count = protocol::LoadConfigInt(context_.db, profile, store::config_key::kDpiCount);
    const int index = protocol::LoadConfigInt(context_.db, profile, store::config_key::kDpiIndex);
    ControllerState::ShownStages shown = context_.state.Shown();
    if (count >= 1 && count <= protocol::kMaxDpiStages) {
        shown.count = count;
    } else if (shown.count == kUnset) {
        shown.count = protocol::kMaxDpiStages;
    }
    shown.index = index >= 0 && index < shown.count ? index : 0;
    context_.state.SetShown(shown);
}

void PageRefresher::RefreshDpiArea() {
    NoteShownStages();
    context_.view.RefreshPage(Page::kDpiArea);
}

void PageRefresher::RefreshPerformance() {
    NoteShownStages();
    context_.view.RefreshPage(Page::kPerformance);
}

void PageRefresher::RefreshDevicePages() {
    context_.view.RefreshPage(Page::kButtons);
    context_.view.RefreshPage(Page::kMacros);
    RefreshPerformance();
    RefreshLighting();
}

}  // namespace mousedeck::shell::app
