#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "pages/performance/normalised.h"

namespace mousedeck::pages::performance {

// One item of the report-rate choice: its rate, the report-rate code stored
// in `report_rate` and `report_rate_wireless`, and the item's colour
// (0x00BBGGRR).
struct ReportRateChoice {
    int hz = 0;
    int code = 0;
    int colour = 0;

    bool operator==(const ReportRateChoice&) const = default;
};

// The rates offered for a report-rate capability (protocol::
// ReportRateCapability): all seven, 125 to 8000 Hz, for capability 7;
// 125, 250, 500 and 1000 Hz for any other, 2000 and 4000 Hz mice included.
std::span<const ReportRateChoice> ReportRateChoices(int capability);

// The code of an offered rate named by a word, "1000" or "1000Hz"; refused,
// naming the offered rates, for any rate the mouse is not offered.
Normalised<int> ParseReportRate(std::string_view word, int capability);

// The rate the choice shows for a stored code: none when the code is not
// among the offered rates (a 2000 Hz code on a mouse offered four rates).
std::optional<int> ShownReportRate(int code, int capability);

}  // namespace mousedeck::pages::performance
