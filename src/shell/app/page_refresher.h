#pragma once

#include <mutex>
#include <optional>

#include "shell/app/app_context.h"

namespace mousedeck::shell::app {

// Brings the controller's state in line with the database and asks the view
// to show pages again. Runs mostly on the device worker (steps of the device
// refresh, the profile switch and the resets); the card choice uses it on
// the user-interface thread.
class PageRefresher {
public:
    explicit PageRefresher(const AppContext& context) : context_(context) {}

    // The profile list: four profiles exist in the current product's
    // database (created with the product's defaults on first use), one is
    // active, and it becomes the current profile; its name is shown.
    // Returns it (0 when the database cannot hold any).
    int EnsureProfiles();
    // The profile part of a factory reset: profiles ensured, every one given
    // the product's `defaults`, the first made active and current.
    int ResetProfiles(const std::optional<devices::DeviceDefaults>& defaults);

    // The profile's lighting rows exist (one per effect the product enables,
    // created on first use) and its active effect becomes the current one;
    // then the lighting page is shown. Nothing when the product has no
    // lighting.
    void RefreshLighting();
    // The DPI area alone, or the whole performance page, which includes it.
    // The shown stage count and index follow the stored keys.
    void RefreshDpiArea();
    void RefreshPerformance();
    // Buttons, macros, performance and (with lighting) lighting, in that order.
    void RefreshDevicePages();

private:
    void NoteShownStages();

    const AppContext& context_;
    std::mutex profiles_mutex_;  // two threads must not both create the four profiles
};

}  // namespace mousedeck::shell::app
