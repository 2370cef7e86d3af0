#include "conclusion.h"

#include <algorithm>

namespace mousedeck::ctl {
namespace {

using shell::app::TaskOutcome;

const char* OutcomeWord(TaskOutcome outcome) {
    switch (outcome) {
        case TaskOutcome::kAcknowledged:
            return "acknowledged";
        case TaskOutcome::kNotAcknowledged:
            return "not_acknowledged";
        case TaskOutcome::kNothingSent:
            return "nothing_sent";
    }
    return "nothing_sent";
}

bool Any(const ActionOutcome& outcome, TaskOutcome wanted) {
    return std::any_of(outcome.tasks.begin(), outcome.tasks.end(),
                       [&](const shell::app::TaskReport& task) { return task.outcome == wanted; });
}

}  // namespace

void RefuseUnconfirmed(int title_text, int message_text, Session& session, Report& report) {
    const std::string title = session.Text(title_text);
    const std::string question = session.Text(message_text, "Are you sure?");
    report.Usage((title.empty() ? "" : title + ": ") + question +
                 " Nothing was changed; add --yes to confirm.");
}

void Conclude(const ActionOutcome& outcome, Session& session, Report& report) {
    nlohmann::ordered_json tasks = nlohmann::ordered_json::array();
    for (const shell::app::TaskReport& task : outcome.tasks) {
        tasks.push_back({{"task", task.code}, {"outcome", OutcomeWord(task.outcome)}});
    }
    report.Json()["tasks"] = tasks;
    report.Json()["acknowledged"] = false;

    if (!outcome.refused_questions.empty()) {
        const auto& question = outcome.refused_questions.front();
        RefuseUnconfirmed(question.title_text, question.message_text, session, report);
        return;
    }
    if (!outcome.messages.empty()) {
        const auto& message = outcome.messages.front();
        report.Fail(kExitNoDevice, session.Text(message.message_text, "The mouse is not connected"));
        return;
    }
    if (!outcome.accepted) {
        report.Fail(kExitNotAcknowledged, "the setting could not be stored in the settings database");
        return;
    }
    if (outcome.NotTaken()) {
        const bool connected = outcome.idle && !Any(outcome, TaskOutcome::kNotAcknowledged);
        const std::string what =
            connected ? "The mouse is not connected" : "The mouse did not acknowledge it";
        report.Line(outcome.kept ? what +
                                       "; the setting is kept and goes with the next write"
                                       " (the next run that reaches the mouse sends it again)."
                                 : what + "; the change is stored in the profile, not in the mouse.");
        report.Json()["kept"] = outcome.kept;
        report.SetResult(kExitNotAcknowledged, connected ? "not_connected" : "not_acknowledged");
        return;
    }
    if (outcome.tasks.empty()) {
        report.SetResult(kExitDone, "done");
        return;
    }
    report.Json()["acknowledged"] = true;
    report.SetResult(kExitDone, "acknowledged");
}

}  // namespace mousedeck::ctl
