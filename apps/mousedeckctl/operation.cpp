#include "operation.h"

#include <algorithm>
#include <array>
#include <sstream>

namespace mousedeck::ctl {
namespace {

using Kind = Operation::Kind;

constexpr std::array<std::pair<Kind, std::string_view>, 18> kNames = {{
    {Kind::kReportRate, "report-rate"},
    {Kind::kDpiValue, "dpi"},
    {Kind::kDpiCount, "dpi-count"},
    {Kind::kDpiActive, "dpi-active"},
    {Kind::kDpiColour, "dpi-colour"},
    {Kind::kLiftOff, "lift-off"},
    {Kind::kSensor, "sensor"},
    {Kind::kSleep, "sleep"},
    {Kind::kWakeOnMove, "wake-on-move"},
    {Kind::kLightsOffOnMove, "lights-off-on-move"},
    {Kind::kDebounce, "debounce"},
    {Kind::kLightEffect, "light-effect"},
    {Kind::kLightBrightness, "light-brightness"},
    {Kind::kLightSpeed, "light-speed"},
    {Kind::kLightColour, "light-colour"},
    {Kind::kButton, "button"},
    {Kind::kButtonReset, "button-reset"},
    {Kind::kButtonsReset, "buttons-reset"},
}};

std::string_view NameOf(Kind kind) {
    for (const auto& [k, name] : kNames) {
        if (k == kind) {
            return name;
        }
    }
    return {};
}

bool IsButton(Kind kind) {
    return kind == Kind::kButton || kind == Kind::kButtonReset || kind == Kind::kButtonsReset;
}

int KeyOf(const Operation& operation) {
    return operation.kind == Kind::kButton ? operation.binding.key_code : operation.target;
}

}  // namespace

bool Apply(const Operation& op, shell::app::PageActions& actions) {
    switch (op.kind) {
        case Kind::kReportRate:
            return actions.SetReportRate(op.value);
        case Kind::kDpiValue:
            return actions.SetDpiStageValue(op.target, op.value);
        case Kind::kDpiCount:
            return actions.SetDpiStageCount(op.value);
        case Kind::kDpiActive:
            return actions.SetDpiActiveStage(op.value);
        case Kind::kDpiColour:
            return actions.SetDpiStageColour(op.target, op.value);
        case Kind::kLiftOff:
            return actions.SetLiftOff(op.value);
        case Kind::kSensor:
            return actions.SetSensorFlags(op.value);
        case Kind::kSleep:
            return actions.SetSleepTime(op.value);
        case Kind::kWakeOnMove:
            return actions.SetWakeOnMove(op.value != 0);
        case Kind::kLightsOffOnMove:
            return actions.SetLightsOffOnMove(op.value != 0);
        case Kind::kDebounce:
            return actions.SetDebounce(op.value);
        case Kind::kLightEffect:
            return actions.SetLightingEffect(op.value);
        case Kind::kLightBrightness:
            return actions.SetLightingBrightness(op.value);
        case Kind::kLightSpeed:
            return actions.SetLightingSpeed(op.value);
        case Kind::kLightColour:
            return actions.SetLightingColour(op.target, op.value);
        case Kind::kButton:
            return actions.SetButtonBinding(op.binding);
        case Kind::kButtonReset:
            return actions.ResetButton(op.target);
        case Kind::kButtonsReset:
            return actions.ResetAllButtons();
    }
    return false;
}

bool SameTarget(const Operation& earlier, const Operation& later) {
    if (IsButton(later.kind) && IsButton(earlier.kind)) {
        return later.kind == Kind::kButtonsReset || KeyOf(earlier) == KeyOf(later);
    }
    if (earlier.kind != later.kind) {
        return false;
    }
    switch (later.kind) {
        case Kind::kDpiValue:
        case Kind::kDpiColour:
        case Kind::kLightColour:
            return earlier.target == later.target;
        default:
            return true;
    }
}

std::string ToText(const Operation& op) {
    std::ostringstream text;
    text << NameOf(op.kind) << ' ';
    if (op.kind == Kind::kButton) {
        const store::ButtonBinding& b = op.binding;
        // The description is a caption for people; a line break in it (a
        // macro named so) must not end the line.
        std::string description = b.macro_desc;
        std::replace_if(
            description.begin(), description.end(),
            [](char c) { return c == '\n' || c == '\r' || c == '\t'; }, ' ');
        text << b.key_code << ' ' << b.macro_type << ' ' << b.macro_value << ' ' << b.macro_value2 << ' '
             << b.macro_value3 << ' ' << b.layout_value << ' ' << description;
    } else {
        text << op.target << ' ' << op.value;
    }
    return text.str();
}

std::optional<Operation> OperationFromText(std::string_view line) {
    std::istringstream in{std::string(line)};
    std::string name;
    in >> name;
    Operation op;
    bool known = false;
    for (const auto& [kind, word] : kNames) {
        if (word == name) {
            op.kind = kind;
            known = true;
        }
    }
    if (!known) {
        return std::nullopt;
    }
    if (op.kind == Kind::kButton) {
        store::ButtonBinding& b = op.binding;
        if (!(in >> b.key_code >> b.macro_type >> b.macro_value >> b.macro_value2 >> b.macro_value3 >>
              b.layout_value)) {
            return std::nullopt;
        }
        std::getline(in >> std::ws, b.macro_desc);
        return op;
    }
    if (!(in >> op.target >> op.value)) {
        return std::nullopt;
    }
    return op;
}

}  // namespace mousedeck::ctl
