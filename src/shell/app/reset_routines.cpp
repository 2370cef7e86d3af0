#include "shell/app/reset_routines.h"

#include <string>

#include "protocol/command_sender.h"
#include "shell/app/controller_state.h"
#include "shell/app/debug_trace.h"
#include "store/config_defaults.h"
#include "store/settings_database.h"

namespace mousedeck::shell::app {
namespace {

// Bindings go for profile numbers 1 to 5: one beyond the four profiles, so
// that stray rows of a fifth number go as well.
constexpr int kHighestBindingProfile = 5;

}  // namespace

ResetRoutines::ResetRoutines(const AppContext& context, PageRefresher& pages, SettingsWriter& writer)
    : context_(context), pages_(pages), writer_(writer) {}

TaskOutcome ResetRoutines::RestoreLighting() {
    const auto result = context_.sender.RestoreLighting(context_.state.CurrentProfile());
    if (result.lighting && result.lighting->effect) {
        context_.state.SetCurrentEffect(*result.lighting->effect);
    }
    pages_.RefreshLighting();
    return result.restored && result.lighting ? TaskOutcome::kAcknowledged : TaskOutcome::kNotAcknowledged;
}

TaskOutcome ResetRoutines::ResetDpi() {
    if (!store::ApplyDeviceDefaults(context_.db, context_.state.CurrentProfile(), context_.DescriptionPath(),
                                    store::DefaultsScope::kDpiOnly)) {
        context_.Trace("DPI reset: the product's defaults could not be applied");
    }
    pages_.RefreshDpiArea();
    const TaskOutcome stages = writer_.SendDpiStages();
    return SettingsWriter::Combine(stages, writer_.SendDpiColours());
}

TaskOutcome ResetRoutines::FactoryReset() {
    const bool acknowledged = context_.sender.FactoryReset();
    const auto defaults = context_.Defaults();

    const int first = pages_.ResetProfiles(defaults);
    for (int profile = 1; profile <= kHighestBindingProfile; ++profile) {
        if (!context_.db.DeleteBindings(profile)) {
            context_.Trace("factory reset: bindings of profile " + std::to_string(profile) + " not deleted");
        }
    }

    pages_.RefreshLighting();
    context_.view.RefreshPage(Page::kButtons);
    context_.view.RefreshPage(Page::kMacros);
    if (defaults) {
        store::ApplyDeviceDefaults(context_.db, first, *defaults, store::DefaultsScope::kAll);
    }
    pages_.RefreshPerformance();
    pages_.RefreshLighting();
    return acknowledged ? TaskOutcome::kAcknowledged : TaskOutcome::kNotAcknowledged;
}

}  // namespace mousedeck::shell::app
