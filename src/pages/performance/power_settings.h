#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "pages/performance/normalised.h"

namespace mousedeck::pages::performance {

// One item of the sleep-time choice: shown as the minutes followed by
// language text 537, stored in `sleep_light` in units of 10 s.
struct SleepChoice {
    int minutes = 0;
    int units = 0;

    bool operator==(const SleepChoice&) const = default;
};
inline constexpr int kSleepMinutesText = 537;

// 1, 2, 5, 6, 10, 20 and 30 minutes: 6, 12, 30, 36, 60, 120, 180 units.
std::span<const SleepChoice> SleepChoices();
// The stored units of an offered number of minutes ("10" or "10min").
Normalised<int> ParseSleepMinutes(std::string_view word);
// The minutes the choice shows for stored units; none when no item has them.
std::optional<int> ShownSleepMinutes(int units);

// Wake-on-move (`move_wakeup`) and lights-off-on-move (`move_closelight`):
// stored 1 or 0, shown checked only for 1.
Normalised<bool> ParseOnOff(std::string_view word, std::string_view setting);
inline bool ShownChecked(int stored) {
    return stored == 1;
}

// Button response (debounce) time in ms, `button_respondtime`: any number
// is bounded to 0..20, as the page's field rewrites it.
int BoundDebounce(int ms);
// Refused only when the word is not a whole number (the page's field reads
// such text as 0; a command line says so instead).
Normalised<int> ParseDebounce(std::string_view word);

}  // namespace mousedeck::pages::performance
