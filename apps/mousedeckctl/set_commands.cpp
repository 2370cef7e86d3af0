#include <array>

#include "commands.h"
#include "conclusion.h"
#include "pages/lighting/colour_words.h"
#include "pages/performance/dpi_values.h"
#include "pages/performance/lift_sensor.h"
#include "pages/performance/power_settings.h"
#include "pages/performance/report_rates.h"
#include "performance_text.h"

namespace mousedeck::ctl {
namespace {

namespace perf = pages::performance;
using Values = std::span<const std::string>;

// A change ready for the controller, or why it was refused.
struct Prepared {
    std::optional<Operation> operation;
    std::string error;
    nlohmann::ordered_json typed;  // what was typed, when normalising changed it
    int stage = -1;                // the DPI stage (0-based) a value or colour went to

    static Prepared Refuse(std::string why) { return {{}, std::move(why), nullptr, -1}; }
};

struct Setting {
    std::string_view name;
    std::size_t value_count;
    std::string_view accepted;  // the value words, for usage errors
    Prepared (*prepare)(Values values, const PerformanceView& now, Session& session);
    void (*put)(const PerformanceView& after, const Prepared& prepared, Session& session, Report& report);
};

using Kind = Operation::Kind;

// The operation of `kind` with the accepted value, or the refusal.
template <typename T>
Prepared Then(const perf::Normalised<T>& value, Kind kind, int target = 0) {
    if (!value) {
        return Prepared::Refuse(value.error);
    }
    return {Operation{kind, target, static_cast<int>(*value.value), {}}, {}, nullptr, -1};
}

Prepared ReportRate(Values values, const PerformanceView&, Session& session) {
    const int capability = session.Controller().MouseIdentity().report_rate_capability;
    return Then(perf::ParseReportRate(values[0], capability), Kind::kReportRate);
}

Prepared Dpi(Values values, const PerformanceView&, Session& session) {
    const perf::Normalised<int> stage = perf::ParseStageNumber(values[0]);
    if (!stage) {
        return Prepared::Refuse(stage.error);
    }
    const int sensor = session.Controller().MouseIdentity().sensor_code;
    const perf::Normalised<int> dpi = perf::NormaliseTypedDpi(sensor, values[1]);
    Prepared prepared = Then(dpi, Kind::kDpiValue, *stage.value);
    if (dpi && std::to_string(*dpi.value) != values[1]) {
        prepared.typed = values[1];
    }
    prepared.stage = *stage.value;
    return prepared;
}

Prepared DpiCount(Values values, const PerformanceView&, Session&) {
    return Then(perf::ParseStageCount(values[0]), Kind::kDpiCount);
}

Prepared DpiActive(Values values, const PerformanceView& now, Session&) {
    return Then(perf::ParseActiveStage(values[0], now.stage_count), Kind::kDpiActive);
}

Prepared DpiColour(Values values, const PerformanceView&, Session&) {
    const perf::Normalised<int> stage = perf::ParseStageNumber(values[0]);
    if (!stage) {
        return Prepared::Refuse(stage.error);
    }
    const perf::Normalised<int> parsed = pages::lighting::ParseHexColour(values[1]);
    if (!parsed) {
        return Prepared::Refuse(parsed.error);
    }
    Prepared prepared = Then(perf::NormaliseStageColour(*parsed.value), Kind::kDpiColour, *stage.value);
    prepared.stage = *stage.value;
    return prepared;
}

Prepared LiftOff(Values values, const PerformanceView& now, Session&) {
    if (!now.show_lift_off) {
        return Prepared::Refuse("this mouse offers no lift-off setting");
    }
    return Then(perf::ParseLiftOff(values[0]), Kind::kLiftOff);
}

Prepared Sensor(Values values, const PerformanceView& now, Session&) {
    if (!now.show_sensor) {
        return Prepared::Refuse("this mouse offers no sensor options");
    }
    return Then(perf::ParseSensorOptions(values), Kind::kSensor);
}

Prepared Sleep(Values values, const PerformanceView&, Session&) {
    return Then(perf::ParseSleepMinutes(values[0]), Kind::kSleep);
}

Prepared WakeOnMove(Values values, const PerformanceView&, Session&) {
    return Then(perf::ParseOnOff(values[0], "wake-on-move"), Kind::kWakeOnMove);
}

Prepared LightsOffOnMove(Values values, const PerformanceView&, Session&) {
    return Then(perf::ParseOnOff(values[0], "lights-off-on-move"), Kind::kLightsOffOnMove);
}

Prepared Debounce(Values values, const PerformanceView&, Session&) {
    const perf::Normalised<int> ms = perf::ParseDebounce(values[0]);
    Prepared prepared = Then(ms, Kind::kDebounce);
    if (ms && std::to_string(*ms.value) != values[0]) {
        prepared.typed = values[0];
    }
    return prepared;
}

// One stage's value and colour, and the stage list it belongs to.
std::string TypedNote(const Prepared& prepared) {
    return prepared.typed.is_null() ? "" : " (typed " + prepared.typed.get<std::string>() + ")";
}

void PutStage(const PerformanceView& after, const Prepared& prepared, Session&, Report& report) {
    const auto& stage = after.stages[static_cast<std::size_t>(prepared.stage)];
    const std::string colour = pages::lighting::HexColourText(stage.colour);
    report.Json()["stage"] = {{"stage", prepared.stage + 1}, {"dpi", stage.value}, {"colour", colour}};
    report.Line("DPI stage " + std::to_string(prepared.stage + 1) + ": " + std::to_string(stage.value) +
                " DPI  " + colour + TypedNote(prepared));
    PutDpiStages(after, report);
}
void PutStages(const PerformanceView& after, const Prepared&, Session&, Report& report) {
    PutDpiStages(after, report);
}
void PutRate(const PerformanceView& after, const Prepared&, Session&, Report& report) {
    PutReportRate(after, report);
}
void PutLift(const PerformanceView& after, const Prepared&, Session&, Report& report) {
    PutLiftOff(after, report);
}
void PutSensorOptions(const PerformanceView& after, const Prepared&, Session& session, Report& report) {
    PutSensor(after, session, report);
}
void PutSleepTime(const PerformanceView& after, const Prepared&, Session& session, Report& report) {
    PutSleep(after, session, report);
}
void PutWake(const PerformanceView& after, const Prepared&, Session& session, Report& report) {
    PutWakeOnMove(after, session, report);
}
void PutLightsOff(const PerformanceView& after, const Prepared&, Session& session, Report& report) {
    PutLightsOffOnMove(after, session, report);
}
void PutResponse(const PerformanceView& after, const Prepared& prepared, Session&, Report& report) {
    PutDebounce(after, report);
    if (!prepared.typed.is_null()) {
        report.Line("  (typed " + prepared.typed.get<std::string>() + ", bounded to 0-20)");
    }
}

constexpr std::array<Setting, 11> kSettings = {{
    {"report-rate", 1, "<125|250|500|1000|2000|4000|8000>", ReportRate, PutRate},
    {"dpi", 2, "<stage 1-6> <value>", Dpi, PutStage},
    {"dpi-count", 1, "<1-6>", DpiCount, PutStages},
    {"dpi-active", 1, "<stage>", DpiActive, PutStages},
    {"dpi-colour", 2, "<stage 1-6> <#RRGGBB>", DpiColour, PutStage},
    {"lift-off", 1, "<1|2>", LiftOff, PutLift},
    {"sensor", 3, "<on|off> <on|off> <on|off>", Sensor, PutSensorOptions},
    {"sleep", 1, "<1|2|5|6|10|20|30>", Sleep, PutSleepTime},
    {"wake-on-move", 1, "<on|off>", WakeOnMove, PutWake},
    {"lights-off-on-move", 1, "<on|off>", LightsOffOnMove, PutLightsOff},
    {"debounce", 1, "<0-20>", Debounce, PutResponse},
}};

std::string SettingNames() {
    std::string names;
    for (const Setting& setting : kSettings) {
        names += (names.empty() ? "" : ", ") + std::string(setting.name);
    }
    return names;
}

}  // namespace

void RunSet(const Invocation& invocation, std::span<const std::string> args, Report& report) {
    if (args.empty()) {
        UsageOf("set", "set needs a setting: " + SettingNames(), report);
        return;
    }
    const Setting* setting = nullptr;
    for (const Setting& candidate : kSettings) {
        if (candidate.name == args[0]) {
            setting = &candidate;
        }
    }
    if (setting == nullptr) {
        UsageOf("set", "unknown setting '" + args[0] + "'; the settings are " + SettingNames(), report);
        return;
    }
    const Values values = args.subspan(1);
    if (values.size() != setting->value_count) {
        UsageOf("set", "set " + std::string(setting->name) + " takes " + std::string(setting->accepted),
                report);
        return;
    }
    report.Json()["setting"] = std::string(setting->name);

    const auto session = StartWithDevice(invocation, report);
    if (!session) {
        return;
    }
    const Prepared prepared = setting->prepare(values, ReadPerformance(*session), *session);
    if (!prepared.operation) {
        report.Usage(prepared.error);
        return;
    }
    const ActionOutcome outcome = session->Perform(*prepared.operation);
    if (!prepared.typed.is_null()) {
        report.Json()["typed"] = prepared.typed;
    }
    setting->put(ReadPerformance(*session), prepared, *session, report);
    Conclude(outcome, *session, report);
}

}  // namespace mousedeck::ctl
