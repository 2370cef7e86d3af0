#pragma once

#include "shell/app/app_context.h"
#include "shell/app/page_refresher.h"
#include "shell/app/settings_writer.h"
#include "shell/app/user_view.h"

namespace mousedeck::shell::app {

// The task routines that put defaults back. Device worker only.
class ResetRoutines {
public:
    ResetRoutines(const AppContext& context, PageRefresher& pages, SettingsWriter& writer);

    // Task 17: the mouse restores its lighting (0x0E), then after a pause
    // the effect it now runs is read back (0x15) into the current profile;
    // the lighting page is shown again whether or not the read worked.
    TaskOutcome RestoreLighting();
    // Task 18: the product's DPI defaults into the current profile, the DPI
    // area shown again, then 0x03 and 0x04.
    TaskOutcome ResetDpi();
    // Task 20: the mouse's factory reset (0x0F), then every profile back to
    // the product's defaults with profile 1 active, no button bindings, and
    // every page shown again.
    TaskOutcome FactoryReset();

private:
    const AppContext& context_;
    PageRefresher& pages_;
    SettingsWriter& writer_;
};

}  // namespace mousedeck::shell::app
