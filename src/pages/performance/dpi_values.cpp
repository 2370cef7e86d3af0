#include "pages/performance/dpi_values.h"

#include <algorithm>
#include <string>

#include "pages/performance/value_words.h"
#include "protocol/sensor_limits.h"
#include "protocol/value_codecs.h"

namespace mousedeck::pages::performance {
namespace {

constexpr int kMaxColour = 0xFFFFFF;

// The page's own bounds for typed values, before the sensor's range.
DpiRange ScreenRange(int sensor_code) {
    switch (sensor_code) {
        case 4:
            return {100, 8000};
        case 5:
            return {50, 12000};
        case 16:
        case 18:
            return {100, 4800};
        case 17:
            return {50, 24000};
        case 37:
            return {100, 10000};
        case 38:
            return {200, 10000};
        case 53:
            return {100, 16000};
        default:
            return {50, 26000};
    }
}

int SteppedDpi(int sensor_code, int typed) {
    switch (sensor_code) {
        case 4:
        case 16:
        case 18:
        case 38:
        case 53:
            return typed / 100 * 100;
        case 37:
            if (typed < 100) {
                return 100;
            }
            return typed <= 5000 ? typed / 100 * 100 : (typed - 5000) / 1000 * 1000 + 5000;
        default:
            return typed / 50 * 50;
    }
}

std::string StageWords(int count) {
    return count == 1 ? std::string("1") : "1-" + std::to_string(count);
}

Normalised<int> StageIndex(std::string_view word, int count, std::string_view what) {
    const std::optional<int> number = ParseWholeNumber(word);
    if (!number || *number < 1 || *number > count) {
        return Normalised<int>::Refuse(std::string(what) + " '" + std::string(word) + "' is not one of " +
                                       StageWords(count));
    }
    return Normalised<int>::Accept(*number - 1);
}

}  // namespace

DpiRange TypedDpiRange(int sensor_code) {
    const DpiRange screen = ScreenRange(sensor_code);
    const protocol::SensorLimits sensor = protocol::LimitsOf(sensor_code);
    return {std::max(screen.min, sensor.min_dpi), std::min(screen.max, sensor.max_dpi)};
}

int NormaliseTypedDpi(int sensor_code, int typed) {
    const DpiRange range = TypedDpiRange(sensor_code);
    return std::clamp(SteppedDpi(sensor_code, typed), range.min, range.max);
}

Normalised<int> NormaliseTypedDpi(int sensor_code, std::string_view text) {
    const std::optional<int> typed = ParseWholeNumber(text);
    if (!typed) {
        const DpiRange range = TypedDpiRange(sensor_code);
        return Normalised<int>::Refuse("DPI value '" + std::string(text) +
                                       "' is not a whole number; this sensor takes " +
                                       std::to_string(range.min) + "-" + std::to_string(range.max));
    }
    return Normalised<int>::Accept(NormaliseTypedDpi(sensor_code, *typed));
}

Normalised<int> ParseStageNumber(std::string_view word) {
    return StageIndex(word, protocol::kMaxDpiStages, "stage");
}

Normalised<int> ParseActiveStage(std::string_view word, int stage_count) {
    const int count = ShownStageCount(stage_count);
    Normalised<int> index = StageIndex(word, count, "stage");
    if (!index) {
        index.error += " (the profile has " + std::to_string(count) + (count == 1 ? " stage)" : " stages)");
    }
    return index;
}

Normalised<int> ParseStageCount(std::string_view word) {
    Normalised<int> index = StageIndex(word, protocol::kMaxDpiStages, "stage count");
    return index ? Normalised<int>::Accept(*index.value + 1) : index;
}

int ShownStageCount(int stored_count) {
    return stored_count >= 1 && stored_count <= protocol::kMaxDpiStages ? stored_count
                                                                        : protocol::kMaxDpiStages;
}

int ShownActiveStage(int stored_index, int count) {
    return stored_index >= 0 && stored_index < count ? stored_index : 0;
}

int ActiveStageAfterCount(int index, int count) {
    return index > count - 1 ? count - 1 : index;
}

Normalised<int> NormaliseStageColour(int colour) {
    if (colour <= 0 || colour > kMaxColour) {
        return Normalised<int>::Refuse(
            "a DPI stage takes any colour #RRGGBB but black (#000000), which the page does not offer");
    }
    return Normalised<int>::Accept(colour);
}

}  // namespace mousedeck::pages::performance
