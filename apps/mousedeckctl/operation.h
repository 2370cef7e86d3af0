#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "shell/app/page_actions.h"
#include "store/records.h"

namespace mousedeck::ctl {

// A change of one setting as a value, with its values already normalised:
// performed through the page operation the GUI calls, and written down
// when the mouse did not take it, so a later run can send it again.
struct Operation {
    enum class Kind {
        kReportRate,       // value: report-rate code
        kDpiValue,         // target: stage index, value: DPI
        kDpiCount,         // value: stages
        kDpiActive,        // value: stage index
        kDpiColour,        // target: stage index, value: 0x00BBGGRR
        kLiftOff,          // value: 1 or 2
        kSensor,           // value: sensor_flag
        kSleep,            // value: units of 10 s
        kWakeOnMove,       // value: 0 or 1
        kLightsOffOnMove,  // value: 0 or 1
        kDebounce,         // value: ms
        kLightEffect,      // value: effect code
        kLightBrightness,  // value: 0..4, on the current effect
        kLightSpeed,       // value: 0..4, on the current effect
        kLightColour,      // target: colour slot, value: 0x00BBGGRR, on the current effect
        kButton,           // binding: the function (key code, family, values, description)
        kButtonReset,      // target: key code
        kButtonsReset,     // every button of the profile
    };
    Kind kind = Kind::kReportRate;
    int target = 0;
    int value = 0;
    store::ButtonBinding binding;

    bool operator==(const Operation&) const = default;
};

// Performs the operation: the page action's answer (stored, or allowed).
bool Apply(const Operation& operation, shell::app::PageActions& actions);

// Two operations change the same thing, so the later one makes the earlier
// one needless (the same setting, the same stage, slot or button). Any
// lighting change depends on the effect chosen before it, so lighting
// operations only replace their own kind on an unchanged effect.
bool SameTarget(const Operation& earlier, const Operation& later);

// One line of text without tabs and line breaks (those in a button's
// description become blanks), and back; nothing for a line that is not one
// (a damaged or older file).
std::string ToText(const Operation& operation);
std::optional<Operation> OperationFromText(std::string_view text);

}  // namespace mousedeck::ctl
