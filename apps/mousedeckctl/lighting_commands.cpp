#include <algorithm>

#include "commands.h"
#include "conclusion.h"
#include "lighting_text.h"
#include "pages/lighting/colour_words.h"
#include "pages/lighting/light_effects.h"

namespace mousedeck::ctl {
namespace {

namespace light = pages::lighting;
using shell::app::PageActions;
using Kind = Operation::Kind;

std::string OfferedEffects(const light::LightingView& view) {
    std::string words;
    for (const auto& entry : view.effects) {
        words += (words.empty() ? "" : "|") +
                 (entry.word.empty() ? std::to_string(entry.code) : std::string(entry.word));
    }
    return words;
}

// The change the words after "lighting" name (not "reset"), checked against
// what the current product and its current effect offer; none with `error`
// set when refused.
std::optional<Operation> Prepare(std::span<const std::string> args, const Invocation& invocation,
                                 const light::LightingView& view, std::string& error) {
    const std::string& what = args[0];
    if (what == "effect") {
        const light::Normalised<int> effect = light::ParseEffect(args[1]);
        if (!effect) {
            error = effect.error;
            return {};
        }
        const int code = *effect.value;
        if (std::none_of(view.effects.begin(), view.effects.end(),
                         [&](const auto& e) { return e.code == code; })) {
            error = "this mouse does not offer the " + std::string(light::EffectWord(code)) +
                    " effect; it offers " + OfferedEffects(view);
            return {};
        }
        return Operation{Kind::kLightEffect, 0, code, {}};
    }
    if (!view.current) {
        error = "the current effect has no stored settings; choose one with 'lighting effect'";
        return {};
    }
    const store::LightSetting& row = view.current->row;
    light::Normalised<int> value;
    if (what == "brightness" || what == "speed") {
        value = what == "brightness" ? light::ParseBrightness(args[1], row) : light::ParseSpeed(args[1], row);
        if (!value) {
            error = value.error;
            return {};
        }
        return Operation{
            what == "brightness" ? Kind::kLightBrightness : Kind::kLightSpeed, 0, *value.value, {}};
    }
    // colour
    const light::Normalised<int> colour = light::ParseHexColour(args[1]);
    if (!colour) {
        error = colour.error;
        return {};
    }
    const std::optional<std::string> slot_word = invocation.Option("slot");
    const light::Normalised<int> slot =
        light::ParseColourSlot(slot_word ? std::optional<std::string_view>(*slot_word) : std::nullopt, row);
    if (!slot) {
        error = slot.error;
        return {};
    }
    return Operation{Kind::kLightColour, *slot.value, *colour.value, {}};
}

}  // namespace

void RunLighting(const Invocation& invocation, std::span<const std::string> args, Report& report) {
    static constexpr std::string_view kAccepted = "effect, brightness, speed, colour or reset";
    if (args.empty()) {
        UsageOf("lighting", "lighting takes " + std::string(kAccepted), report);
        return;
    }
    const std::string& what = args[0];
    const bool takes_value = what == "effect" || what == "brightness" || what == "speed" || what == "colour";
    if (!takes_value && what != "reset") {
        UsageOf("lighting",
                "unknown lighting setting '" + what + "'; lighting takes " + std::string(kAccepted), report);
        return;
    }
    if (args.size() != (takes_value ? 2u : 1u)) {
        UsageOf("lighting", "lighting " + what + (takes_value ? " takes one value" : " takes no value"),
                report);
        return;
    }
    if (invocation.Has("slot") && what != "colour") {
        UsageOf("lighting", "--slot is only for lighting colour", report);
        return;
    }
    report.Json()["setting"] = what;

    const auto session = StartWithDevice(invocation, report);
    if (!session) {
        return;
    }
    if (!session->Controller().Description().lighting) {
        report.Usage("this mouse has no lighting");
        return;
    }
    ActionOutcome outcome;
    if (what == "reset") {
        // The mouse restores its own lighting and is read back: nothing of
        // it is kept for a later run.
        outcome = session->Perform([](PageActions& actions) { return actions.ResetLighting(); });
    } else {
        std::string error;
        const std::optional<Operation> operation = Prepare(args, invocation, ReadLighting(*session), error);
        if (!operation) {
            report.Usage(error);
            return;
        }
        outcome = session->Perform(*operation);
    }
    if (outcome.refused_questions.empty()) {
        PutLighting(ReadLighting(*session), *session, report);
    }
    Conclude(outcome, *session, report);
}

}  // namespace mousedeck::ctl
