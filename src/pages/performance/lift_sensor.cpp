#include "pages/performance/lift_sensor.h"

#include <optional>

#include "pages/performance/value_words.h"
#include "protocol/value_codecs.h"

namespace mousedeck::pages::performance {
namespace {

constexpr std::array<int, 3> kSensorBits = {protocol::kSensorBit4, protocol::kSensorBit8,
                                            protocol::kSensorBit16};

bool NamesHeight(std::string_view word, int height) {
    const std::string whole = std::to_string(height);
    const std::string decimal = whole + ".0";
    return SameWordWithUnit(word, whole, "mm") || SameWordWithUnit(word, decimal, "mm");
}

}  // namespace

Normalised<int> ParseLiftOff(std::string_view word) {
    for (const int height : {protocol::kLiftoffLow, protocol::kLiftoffHigh}) {
        if (NamesHeight(word, height)) {
            return Normalised<int>::Accept(height);
        }
    }
    return Normalised<int>::Refuse("lift-off distance '" + std::string(word) + "' is not 1 or 2 (mm)");
}

int ShownLiftOff(std::string_view stored) {
    return stored == "2" ? protocol::kLiftoffHigh : protocol::kLiftoffLow;
}

int SensorFlagOf(const SensorOptions& options) {
    int flags = 0;
    for (std::size_t k = 0; k < options.size(); ++k) {
        flags |= options[k] ? kSensorBits[k] : 0;
    }
    return flags;
}

SensorOptions SensorOptionsOf(int flags) {
    SensorOptions options{};
    for (std::size_t k = 0; k < options.size(); ++k) {
        options[k] = (flags & kSensorBits[k]) != 0;
    }
    return options;
}

Normalised<int> ParseSensorOptions(std::span<const std::string> words) {
    constexpr std::string_view kUsage = "the sensor options take three words on|off, in page order";
    if (words.size() != kSensorBits.size()) {
        return Normalised<int>::Refuse(std::string(kUsage));
    }
    SensorOptions options{};
    for (std::size_t k = 0; k < options.size(); ++k) {
        const std::optional<bool> on = ParseSwitch(words[k]);
        if (!on) {
            return Normalised<int>::Refuse("'" + words[k] + "' is not on or off; " + std::string(kUsage));
        }
        options[k] = *on;
    }
    return Normalised<int>::Accept(SensorFlagOf(options));
}

}  // namespace mousedeck::pages::performance
