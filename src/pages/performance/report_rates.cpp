#include "pages/performance/report_rates.h"

#include <array>
#include <string>

#include "pages/performance/value_words.h"

namespace mousedeck::pages::performance {
namespace {

constexpr int kAllRatesCapability = 7;
constexpr std::size_t kBasicRates = 4;

constexpr std::array<ReportRateChoice, 7> kRates = {{
    {125, 0x08, 0x0108F1},
    {250, 0x04, 0xED6B00},
    {500, 0x02, 0x4DF600},
    {1000, 0x01, 0x20A3FF},
    {2000, 0x10, 0xC9012B},
    {4000, 0x20, 0xFFFF00},
    {8000, 0x40, 0xFFFFFF},
}};

std::string OfferedRates(int capability) {
    std::string list;
    for (const ReportRateChoice& choice : ReportRateChoices(capability)) {
        list += (list.empty() ? "" : "|") + std::to_string(choice.hz);
    }
    return list;
}

}  // namespace

std::span<const ReportRateChoice> ReportRateChoices(int capability) {
    const std::span<const ReportRateChoice> all(kRates);
    return capability == kAllRatesCapability ? all : all.first(kBasicRates);
}

Normalised<int> ParseReportRate(std::string_view word, int capability) {
    for (const ReportRateChoice& choice : ReportRateChoices(capability)) {
        if (SameWordWithUnit(word, std::to_string(choice.hz), "Hz")) {
            return Normalised<int>::Accept(choice.code);
        }
    }
    return Normalised<int>::Refuse("report rate '" + std::string(word) +
                                   "' is not offered by this mouse; it offers " + OfferedRates(capability));
}

std::optional<int> ShownReportRate(int code, int capability) {
    for (const ReportRateChoice& choice : ReportRateChoices(capability)) {
        if (choice.code == code) {
            return choice.hz;
        }
    }
    return std::nullopt;
}

}  // namespace mousedeck::pages::performance
