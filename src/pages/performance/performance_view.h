#pragma once

#include <array>
#include <optional>
#include <vector>

#include "devices/device_description.h"
#include "pages/performance/dpi_slider.h"
#include "pages/performance/dpi_values.h"
#include "pages/performance/lift_sensor.h"
#include "pages/performance/report_rates.h"

namespace mousedeck::store {
class SettingsDatabase;
}

namespace mousedeck::pages::performance {

// What the mouse and its product contribute to the page: the identity of
// the last read-back and the description's page switches.
struct PerformanceInputs {
    int sensor_code = 0;             // identity byte 10; 0 before any read-back
    int report_rate_capability = 4;  // protocol::ReportRateCapability
    devices::PageOptions options{};
};

struct DpiStageView {
    int value = 0;   // `dpi_group<index>_value`
    int colour = 0;  // `dpi_group<index>_rgb`, 0x00BBGGRR

    bool operator==(const DpiStageView&) const = default;
};

// The performance page as a fill shows it, read from one profile's keys.
// A missing key, or text that is not a number, reads as 0 (leading digits
// count); the fields below say what the page shows for such values.
struct PerformanceView {
    int report_rate_code = 0;           // `report_rate` as stored
    std::optional<int> report_rate_hz;  // the selected choice; none when not offered
    std::vector<ReportRateChoice> report_rates;

    int stage_count = 6;                   // ShownStageCount of `dpi_count`
    int active_stage = 0;                  // ShownActiveStage of `dpi_index`, 0-based
    std::array<DpiStageView, 6> stages{};  // all six; the page lists the first stage_count
    DpiRange dpi_range{};                  // what a typed value is bounded to
    DpiSlider slider{};

    bool show_lift_off = true;  // the product offers the lift-off setting
    int lift_off = 1;           // ShownLiftOff of `liftoff_height`
    bool show_sensor = true;    // the product offers the sensor options
    int sensor_flags = 0;       // `sensor_flag` as stored
    SensorOptions sensor_options{};

    int sleep_units = 0;               // `sleep_light` as stored
    std::optional<int> sleep_minutes;  // the selected choice; none when not offered
    bool wake_on_move = false;         // `move_wakeup` is 1
    bool lights_off_on_move = false;   // `move_closelight` is 1
    int debounce = 0;                  // `button_respondtime` as stored

    bool operator==(const PerformanceView&) const = default;
};

// Reads without writing; safe from any thread (the database has its lock).
PerformanceView ReadPerformanceView(store::SettingsDatabase& db, int profile,
                                    const PerformanceInputs& inputs);

}  // namespace mousedeck::pages::performance
