#include "commands.h"
#include "conclusion.h"
#include "performance_text.h"
#include "profile_text.h"

namespace mousedeck::ctl {
namespace {

using shell::app::PageActions;

using Kind = Operation::Kind;

// The stored stages as the changes that send them, for a later run when
// the mouse did not take the reset.
std::vector<Operation> DpiOperations(const PerformanceView& view) {
    std::vector<Operation> operations{{Kind::kDpiCount, 0, view.stage_count, {}},
                                      {Kind::kDpiActive, 0, view.active_stage, {}}};
    for (std::size_t k = 0; k < view.stages.size(); ++k) {
        operations.push_back({Kind::kDpiValue, static_cast<int>(k), view.stages[k].value, {}});
        operations.push_back({Kind::kDpiColour, static_cast<int>(k), view.stages[k].colour, {}});
    }
    return operations;
}

void ResetDpi(Session& session, Report& report) {
    ActionOutcome outcome = session.Perform([](PageActions& actions) { return actions.ResetDpi(); });
    if (outcome.refused_questions.empty()) {
        const PerformanceView view = ReadPerformance(session);
        if (outcome.NotTaken()) {
            outcome.kept = session.Keep(DpiOperations(view));
        }
        PutDpiStages(view, report);
    }
    Conclude(outcome, session, report);
}

void ResetReportRate(Session& session, Report& report) {
    ActionOutcome outcome = session.Perform([](PageActions& actions) { return actions.ResetReportRate(); });
    const PerformanceView view = ReadPerformance(session);
    if (outcome.NotTaken()) {
        outcome.kept = session.Keep({{Kind::kReportRate, 0, view.report_rate_code, {}}});
    }
    PutReportRate(view, report);
    Conclude(outcome, session, report);
}

void FactoryReset(Session& session, Report& report) {
    const ActionOutcome outcome =
        session.Perform([](PageActions& actions) { return actions.FactoryReset(); });
    if (outcome.accepted) {
        report.Line("Factory settings restored in the mouse and in all four profiles.");
        PutCurrentProfile(session, report);
    }
    Conclude(outcome, session, report);
}

}  // namespace

void RunReset(const Invocation& invocation, std::span<const std::string> args, Report& report) {
    void (*reset)(Session&, Report&) = nullptr;
    if (args.empty()) {
        reset = FactoryReset;
        report.Json()["reset"] = "factory";
    } else if (args.size() == 1 && args[0] == "dpi") {
        reset = ResetDpi;
        report.Json()["reset"] = "dpi";
    } else if (args.size() == 1 && args[0] == "report-rate") {
        reset = ResetReportRate;
        report.Json()["reset"] = "report-rate";
    } else {
        UsageOf("reset", "reset takes dpi, report-rate, or nothing but --yes for a factory reset", report);
        return;
    }
    const auto session = StartWithDevice(invocation, report);
    if (session) {
        reset(*session, report);
    }
}

}  // namespace mousedeck::ctl
