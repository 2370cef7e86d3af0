#pragma once

#include <string_view>

#include "shell/app/app_context.h"
#include "store/records.h"

namespace mousedeck::shell::app {

// Language texts of the questions and refusals asked here.
inline constexpr int kNoDeviceTitle = 576;
inline constexpr int kNoDeviceMessage = 57;
inline constexpr int kFactoryResetTitle = 570;
inline constexpr int kFactoryResetMessage = 571;
inline constexpr int kDpiResetTitle = 253;
inline constexpr int kDpiResetMessage = 258;
inline constexpr int kLightingResetTitle = 276;
inline constexpr int kLightingResetMessage = 275;

// What the pages do when the user changes a setting. Each operation stores
// the value in the current profile first and then queues the task code that
// sends it ("store first, then send": the builder reads the stored value
// when it builds the frame, so a failed send loses nothing and the next
// send carries it), then shows the wait notice when the product offers it.
//
// Values arrive normalised by the pages (a DPI value already stepped and
// bounded for the sensor, a debounce time already 0..20). A value no frame
// can carry (a stage index beyond six, a report-rate code that is no rate,
// a lighting effect that does not exist) is refused: false, nothing stored,
// nothing queued. The resets and the factory reset ask first
// (UserView::AskMessageBox) and answer false when the user cancels.
//
// User-interface thread; the database is shared with the worker under its
// own lock.
class PageActions {
public:
    explicit PageActions(const AppContext& context) : context_(context) {}

    // Performance page.
    bool SetReportRate(int code);      // `report_rate` and `report_rate_wireless`; task 11
    bool ResetReportRate();            // the product's default rate; task 11 even without one
    bool SetLiftOff(int height);       // 1 (1.0 mm) or 2 (2.0 mm); task 12
    bool SetSensorFlags(int flags);    // bits 4, 8, 16; task 12
    bool SetSleepTime(int units);      // units of 10 s, 0..255; task 13
    bool SetWakeOnMove(bool on);       // task 13
    bool SetLightsOffOnMove(bool on);  // task 13
    bool SetDebounce(int ms);          // 0..20; task 14

    // DPI area (stages 0..5).
    bool SetDpiStageValue(int stage, int dpi);      // task 9
    bool SetDpiStageCount(int count);               // 1..6, active stage kept below it; task 9
    bool SetDpiActiveStage(int stage);              // task 9 and the pop-up when it changed
    bool SetDpiStageColour(int stage, int colour);  // 0x00BBGGRR; task 10
    bool ResetDpi();                                // asks; task 18

    // Lighting page, on the current profile's row of the current effect.
    bool SetLightingEffect(int effect);          // 0..5; task 8
    bool SetLightingBrightness(int brightness);  // 0..4; task 8
    bool SetLightingSpeed(int speed);            // 0..4; task 8
    // The colour goes into `slot` (0..6) for an effect with seven colours,
    // else into the first colour; task 8.
    bool SetLightingColour(int slot, int colour);
    bool ResetLighting();  // asks; task 17

    // Button page: the binding's profile and layer are filled in (current
    // profile, layer 0). A macro binding's macro data is sent before the
    // button functions. Task 6 is queued even when the store failed, so the
    // mouse gets what the database holds.
    bool SetButtonBinding(store::ButtonBinding binding);
    bool ResetButton(int key_code);  // back to the mouse's default function
    bool ResetAllButtons();          // every binding of the profile

    // Profiles. The list opens only with a device connected; otherwise the
    // refusal is shown and the answer is false.
    bool OpenProfileList();
    // The profile becomes current and active, its name is shown and every
    // setting is written to the mouse (task 5), also when it was active.
    bool MakeProfileActive(int profile);
    // An empty name is ignored.
    bool RenameProfile(int profile, std::string_view name);

    // Restore defaults: refused without a connected device; asks; empties
    // the read-back set so the next connection reads the mouse again; task 20.
    bool FactoryReset();

private:
    bool StoreAndQueue(std::string_view key, int value, int task);
    bool Queue(int task);
    template <class Change>
    bool ChangeLightRow(Change change);
    bool Ask(int title, int message);

    const AppContext& context_;
};

}  // namespace mousedeck::shell::app
