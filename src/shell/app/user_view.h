#pragma once

#include <cstdint>

#include "devices/catalogue_view.h"
#include "devices/discovery/discovery_view.h"
#include "protocol/sensor_limits.h"
#include "shell/language_observer.h"
#include "store/profile_setup.h"
#include "store/store_events.h"

namespace mousedeck::shell::app {

// The parts of the main window that are filled from the settings database.
// A refresh reads the current profile (ApplicationController::CurrentProfile)
// and shows what the database holds now.
enum class Page {
    kButtons,      // the button list and the functions of the current profile
    kMacros,       // the macro list
    kPerformance,  // report rate, DPI area, sensor, lift-off, power, debounce
    kDpiArea,      // only the DPI stages, count and active stage
    kLighting,     // the effect list and the current effect's controls
    kInformation,  // firmware versions and the firmware buttons
};

enum class MessageButtons {
    kOk,        // one button
    kOkCancel,  // two buttons; the second one is "cancel"
};

enum class MessageAnswer {
    kFirstButton,
    kSecondButton,  // also a box closed without a choice (close pop-ups, Escape)
};

// How a task ended, as far as the mouse is concerned. The settings were
// stored before the task was queued in every case.
enum class TaskOutcome {
    kAcknowledged,     // every command was acknowledged (a read-back found the mouse)
    kNotAcknowledged,  // at least one command got no acknowledgement
    kNothingSent,      // nothing was to be sent (no device, no row for the effect, ...)
};

struct TaskReport {
    int code = 0;  // hid::TaskCode
    TaskOutcome outcome = TaskOutcome::kNothingSent;

    bool operator==(const TaskReport&) const = default;
};

// Everything the application changes on screen, in one interface that the
// GUI, the command-line front end and the tests implement. It gathers the
// layers' own views (catalogue, discovery, store, profiles, language) and
// adds the calls of the application controller. Every method has an empty
// default (AskMessageBox answers with the first button), so a front end
// implements only what it shows. Texts are language text numbers (LangText).
//
// Threads and order:
// - Worker thread: everything a task routine or the notification handling
//   shows, in exactly the order the routine makes the calls: RefreshPage,
//   ShowBattery, ShowDpiLimits, ShowDpiStageCount, ShowDpiStage,
//   ShowDeviceConnected, ShowDeviceLost, OnTaskFinished, and the inherited
//   views' calls made by the device refresh (cards, captions, views, the
//   description's ShowLightingTab, ShowButtons, ..., ShowProfileName,
//   OnDatabaseReplaced). A GUI must hand these to its own thread through one
//   queue, keeping their order (a refresh after a read-back must not overtake
//   the read-back's values).
// - Hot-plug thread: ShowUnsupportedDevice (DiscoveryView).
// - User-interface thread, inside the entry point that causes them:
//   ShowSaveWait, AskMessageBox, DiscoveryView::ShowMessage, the DPI pop-up
//   of a stage chosen on the page, the catalogue's calls in Start, the
//   profile name after a switch or rename, the language change, and the
//   refreshes of a card choice.
// - The core never waits for a view call to take effect. The only call whose
//   answer the core uses is AskMessageBox, made only by entry points on the
//   user-interface thread before anything is queued: a routine on the worker
//   never asks the user anything, so a GUI can always answer it modally on
//   its own thread. The worker shows only messages that need no answer.
// - No lock of the controller is held during a call; a view may call the
//   controller's queries from inside one, but must not call Stop or
//   WaitUntilIdle from a call made on the worker thread.
class UserView : public devices::CatalogueView,
                 public discovery::DiscoveryView,
                 public store::StoreEvents,
                 public store::ProfileView,
                 public shell::LanguageObserver {
public:
    ~UserView() override = default;

    // Show `page` again from the database.
    virtual void RefreshPage(Page /*page*/) {}

    // The header's battery display, with the bytes in the order the mouse
    // protocol hands them over: identity byte 13 then 12, or bytes 2 then 3
    // of a receiver report; at the start of each read-back the previous
    // byte 13 and 100. (The card's battery is DiscoveryView::ShowCardBattery.)
    virtual void ShowBattery(uint8_t /*first*/, uint8_t /*second*/) {}

    // The DPI slider's range, positions and end captions for the sensor the
    // mouse reported (set by every read-back).
    virtual void ShowDpiLimits(const protocol::SensorLimits& /*limits*/) {}
    // The mouse changed its DPI stages on its own: the stage-count box shows
    // `count` and the stage list is rebuilt from the database.
    virtual void ShowDpiStageCount(int /*count*/) {}
    // Stage `index` (0-based) is the active one; the slider moves to its
    // value `dpi`.
    virtual void ShowDpiStage(int /*index*/, int /*dpi*/) {}
    // The DPI pop-up shows `dpi` for two seconds (only when the product
    // offers it: PageOptions::show_dpi_tips). Worker thread for the mouse's
    // own stage changes, UI thread for the page's.
    virtual void ShowDpiPopup(int /*dpi*/) {}

    // The short wait notice after a setting was queued for the mouse (only
    // when the product offers it: PageOptions::show_save_tips).
    virtual void ShowSaveWait() {}

    // A question; returns the button the user chose.
    virtual MessageAnswer AskMessageBox(int /*title_text*/, int /*message_text*/,
                                        MessageButtons /*buttons*/) {
        return MessageAnswer::kFirstButton;
    }

    // The receiver reported its mouse back (`connection_mode` 1) or the
    // mouse is reached by cable (0): the device pages can be used again.
    // The view switch itself comes as ShowDevicePages.
    virtual void ShowDeviceConnected(int /*device_type*/, int /*connection_mode*/) {}
    // The receiver reported its mouse gone (switched off or out of range).
    // Followed by ShowNoDeviceView or ShowDeviceList.
    virtual void ShowDeviceLost(int /*device_type*/) {}

    // A task has ended: what was stored is now on the mouse (kAcknowledged),
    // stored only (kNotAcknowledged), or there was nothing to send. Reported
    // once per queued task code, for the codes the controller runs itself.
    virtual void OnTaskFinished(const TaskReport& /*report*/) {}
};

}  // namespace mousedeck::shell::app
