#include "performance_text.h"

#include <string>

#include "pages/lighting/colour_words.h"
#include "pages/performance/power_settings.h"

namespace mousedeck::ctl {
namespace {

using pages::lighting::HexColourText;

// Language texts of the page's labels.
constexpr int kWakeOnMoveText = 533;
constexpr int kLightsOffOnMoveText = 534;

const char* OnOff(bool on) {
    return on ? "on" : "off";
}

}  // namespace

pages::performance::PerformanceInputs InputsOf(Session& session) {
    const auto identity = session.Controller().MouseIdentity();
    return {identity.sensor_code, identity.report_rate_capability,
            session.Controller().Description().options};
}

pages::performance::PerformanceView ReadPerformance(Session& session) {
    auto& controller = session.Controller();
    return pages::performance::ReadPerformanceView(controller.Database(), controller.CurrentProfile(),
                                                   InputsOf(session));
}

void PutReportRate(const PerformanceView& view, Report& report) {
    nlohmann::ordered_json offered = nlohmann::ordered_json::array();
    for (const auto& choice : view.report_rates) {
        offered.push_back(choice.hz);
    }
    report.Json()["report_rate"] = {
        {"hz", view.report_rate_hz ? nlohmann::ordered_json(*view.report_rate_hz) : nullptr},
        {"code", view.report_rate_code},
        {"offered", offered}};
    if (view.report_rate_hz) {
        report.Line("Report rate: " + std::to_string(*view.report_rate_hz) + " Hz");
    } else {
        report.Line("Report rate: none of the offered rates (stored code " +
                    std::to_string(view.report_rate_code) + ")");
    }
}

void PutDpiStages(const PerformanceView& view, Report& report) {
    nlohmann::ordered_json stages = nlohmann::ordered_json::array();
    for (std::size_t k = 0; k < view.stages.size(); ++k) {
        const int stage = static_cast<int>(k);
        stages.push_back({{"stage", stage + 1},
                          {"dpi", view.stages[k].value},
                          {"colour", HexColourText(view.stages[k].colour)},
                          {"listed", stage < view.stage_count}});
    }
    report.Json()["dpi"] = {{"count", view.stage_count},
                            {"active", view.active_stage + 1},
                            {"range", {{"min", view.dpi_range.min}, {"max", view.dpi_range.max}}},
                            {"stages", stages}};
    report.Line("DPI stages: " + std::to_string(view.stage_count) + ", active stage " +
                std::to_string(view.active_stage + 1));
    for (int stage = 0; stage < view.stage_count; ++stage) {
        const auto& entry = view.stages[static_cast<std::size_t>(stage)];
        report.Line(std::string(stage == view.active_stage ? "  * " : "    ") + std::to_string(stage + 1) +
                    ": " + std::to_string(entry.value) + " DPI  " + HexColourText(entry.colour));
    }
}

void PutLiftOff(const PerformanceView& view, Report& report) {
    report.Json()["lift_off_mm"] = view.lift_off;
    report.Line("Lift-off distance: " + std::to_string(view.lift_off) + ".0 mm");
}

void PutSensor(const PerformanceView& view, Session& session, Report& report) {
    nlohmann::ordered_json options = nlohmann::ordered_json::array();
    static constexpr const char* kFallbackNames[] = {"Sensor option 1", "Sensor option 2", "Sensor option 3"};
    for (std::size_t k = 0; k < view.sensor_options.size(); ++k) {
        const std::string name = session.Text(pages::performance::kSensorOptionTexts[k], kFallbackNames[k]);
        options.push_back({{"name", name}, {"on", view.sensor_options[k]}});
        report.Line(name + ": " + OnOff(view.sensor_options[k]));
    }
    report.Json()["sensor"] = {{"flags", view.sensor_flags}, {"options", options}};
}

void PutSleep(const PerformanceView& view, Session& session, Report& report) {
    report.Json()["sleep"] = {
        {"minutes", view.sleep_minutes ? nlohmann::ordered_json(*view.sleep_minutes) : nullptr},
        {"units", view.sleep_units}};
    if (view.sleep_minutes) {
        report.Line("Sleep after: " + std::to_string(*view.sleep_minutes) + " " +
                    session.Text(pages::performance::kSleepMinutesText, "min"));
    } else {
        report.Line("Sleep after: " + std::to_string(view.sleep_units * 10) +
                    " s (not one of the offered times)");
    }
}

void PutWakeOnMove(const PerformanceView& view, Session& session, Report& report) {
    report.Json()["wake_on_move"] = view.wake_on_move;
    report.Line(session.Text(kWakeOnMoveText, "Wake on movement") + ": " + OnOff(view.wake_on_move));
}

void PutLightsOffOnMove(const PerformanceView& view, Session& session, Report& report) {
    report.Json()["lights_off_on_move"] = view.lights_off_on_move;
    report.Line(session.Text(kLightsOffOnMoveText, "Lights off while moving") + ": " +
                OnOff(view.lights_off_on_move));
}

void PutDebounce(const PerformanceView& view, Report& report) {
    report.Json()["debounce_ms"] = view.debounce;
    report.Line("Button response time: " + std::to_string(view.debounce) + " ms");
}

void PutPerformance(const PerformanceView& view, Session& session, Report& report) {
    PutReportRate(view, report);
    PutDpiStages(view, report);
    if (view.show_lift_off) {
        PutLiftOff(view, report);
    }
    if (view.show_sensor) {
        PutSensor(view, session, report);
    }
    PutSleep(view, session, report);
    PutWakeOnMove(view, session, report);
    PutLightsOffOnMove(view, session, report);
    PutDebounce(view, report);
}

}  // namespace mousedeck::ctl
