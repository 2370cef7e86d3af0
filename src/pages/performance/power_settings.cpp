#include "pages/performance/power_settings.h"

#include <algorithm>
#include <array>
#include <string>

#include "pages/performance/value_words.h"
#include "protocol/value_codecs.h"

namespace mousedeck::pages::performance {
namespace {

constexpr std::array<SleepChoice, 7> kSleepChoices = {{
    {1, 6},
    {2, 12},
    {5, 30},
    {6, 36},
    {10, 60},
    {20, 120},
    {30, 180},
}};

}  // namespace

std::span<const SleepChoice> SleepChoices() {
    return kSleepChoices;
}

Normalised<int> ParseSleepMinutes(std::string_view word) {
    std::string offered;
    for (const SleepChoice& choice : kSleepChoices) {
        const std::string minutes = std::to_string(choice.minutes);
        if (SameWordWithUnit(word, minutes, "min")) {
            return Normalised<int>::Accept(choice.units);
        }
        offered += (offered.empty() ? "" : "|") + minutes;
    }
    return Normalised<int>::Refuse("sleep time '" + std::string(word) + "' is not offered; it takes " +
                                   offered + " (minutes)");
}

std::optional<int> ShownSleepMinutes(int units) {
    const auto* it = std::ranges::find(kSleepChoices, units, &SleepChoice::units);
    return it == kSleepChoices.end() ? std::nullopt : std::optional<int>(it->minutes);
}

Normalised<bool> ParseOnOff(std::string_view word, std::string_view setting) {
    const std::optional<bool> on = ParseSwitch(word);
    if (!on) {
        return Normalised<bool>::Refuse(std::string(setting) + " takes on or off, not '" + std::string(word) +
                                        "'");
    }
    return Normalised<bool>::Accept(*on);
}

int BoundDebounce(int ms) {
    return std::clamp(ms, 0, protocol::kMaxDebounce);
}

Normalised<int> ParseDebounce(std::string_view word) {
    const std::optional<int> ms = ParseWholeNumber(word);
    if (!ms) {
        return Normalised<int>::Refuse("debounce time '" + std::string(word) +
                                       "' is not a whole number of ms (0-" +
                                       std::to_string(protocol::kMaxDebounce) + ")");
    }
    return Normalised<int>::Accept(BoundDebounce(*ms));
}

}  // namespace mousedeck::pages::performance
