#include "pages/performance/performance_view.h"

#include <string>

#include "pages/performance/power_settings.h"
#include "shell/lenient_number.h"
#include "store/config_defaults.h"
#include "store/settings_database.h"

namespace mousedeck::pages::performance {
namespace {

namespace key = store::config_key;

int ReadInt(store::SettingsDatabase& db, int profile, std::string_view name) {
    const std::optional<std::string> text = db.GetConfigValue(profile, name);
    return text ? shell::ParseLenientInt(*text) : 0;
}

}  // namespace

PerformanceView ReadPerformanceView(store::SettingsDatabase& db, int profile,
                                    const PerformanceInputs& inputs) {
    PerformanceView view;
    view.report_rate_code = ReadInt(db, profile, key::kReportRate);
    view.report_rate_hz = ShownReportRate(view.report_rate_code, inputs.report_rate_capability);
    const auto rates = ReportRateChoices(inputs.report_rate_capability);
    view.report_rates.assign(rates.begin(), rates.end());

    view.stage_count = ShownStageCount(ReadInt(db, profile, key::kDpiCount));
    view.active_stage = ShownActiveStage(ReadInt(db, profile, key::kDpiIndex), view.stage_count);
    for (std::size_t k = 0; k < view.stages.size(); ++k) {
        const int stage = static_cast<int>(k);
        view.stages[k] = {ReadInt(db, profile, store::DpiValueKey(stage)),
                          ReadInt(db, profile, store::DpiColourKey(stage))};
    }
    view.dpi_range = TypedDpiRange(inputs.sensor_code);
    view.slider = SliderOf(inputs.sensor_code);

    view.show_lift_off = inputs.options.show_lod;
    view.lift_off = ShownLiftOff(db.GetConfigValue(profile, key::kLiftoffHeight).value_or(""));
    view.show_sensor = inputs.options.show_sensor;
    view.sensor_flags = ReadInt(db, profile, key::kSensorFlag);
    view.sensor_options = SensorOptionsOf(view.sensor_flags);

    view.sleep_units = ReadInt(db, profile, key::kSleepLight);
    view.sleep_minutes = ShownSleepMinutes(view.sleep_units);
    view.wake_on_move = ShownChecked(ReadInt(db, profile, key::kMoveWakeup));
    view.lights_off_on_move = ShownChecked(ReadInt(db, profile, key::kMoveCloseLight));
    view.debounce = ReadInt(db, profile, key::kButtonRespondTime);
    return view;
}

}  // namespace mousedeck::pages::performance
