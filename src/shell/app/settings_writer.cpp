#include "shell/app/settings_writer.h"

#include "devices/discovery/device_discovery.h"
#include "shell/app/controller_state.h"

namespace mousedeck::shell::app {

SettingsWriter::SettingsWriter(const AppContext& context, PageRefresher& pages)
    : context_(context), pages_(pages) {}

TaskOutcome SettingsWriter::Combine(TaskOutcome a, TaskOutcome b) {
    if (a == TaskOutcome::kNotAcknowledged || b == TaskOutcome::kNotAcknowledged) {
        return TaskOutcome::kNotAcknowledged;
    }
    if (a == TaskOutcome::kAcknowledged || b == TaskOutcome::kAcknowledged) {
        return TaskOutcome::kAcknowledged;
    }
    return TaskOutcome::kNothingSent;
}

TaskOutcome SettingsWriter::Checked(protocol::SendResult result) {
    switch (result) {
        case protocol::SendResult::kSent:
            return TaskOutcome::kAcknowledged;
        case protocol::SendResult::kFailed:
            context_.discovery.MarkReceiverConnected();
            return TaskOutcome::kNotAcknowledged;
        case protocol::SendResult::kNothingToSend:
        case protocol::SendResult::kTooLong:
            break;
    }
    return TaskOutcome::kNothingSent;
}

TaskOutcome SettingsWriter::SendButtons() {
    const int profile = context_.state.CurrentProfile();
    TaskOutcome outcome = TaskOutcome::kNothingSent;
    if (const int key = context_.state.TakePendingMacroKey(); key != kUnset) {
        outcome = Checked(context_.sender.SendMacro(profile, key));
    }
    return Combine(outcome, Checked(context_.sender.SendButtons(profile)));
}

TaskOutcome SettingsWriter::SendLighting() {
    return Checked(
        context_.sender.SendLighting(context_.state.CurrentProfile(), context_.state.CurrentEffect()));
}

TaskOutcome SettingsWriter::SendDpiStages() {
    return Checked(context_.sender.SendDpiStages(context_.state.CurrentProfile(),
                                                 context_.state.Identity().sensor_code));
}

TaskOutcome SettingsWriter::SendDpiColours() {
    return Checked(context_.sender.SendDpiColours(context_.state.CurrentProfile()));
}

TaskOutcome SettingsWriter::SendReportRate() {
    return Checked(context_.sender.SendReportRate(context_.state.CurrentProfile()));
}

TaskOutcome SettingsWriter::SendLiftSensor() {
    return Checked(context_.sender.SendLiftSensor(context_.state.CurrentProfile()));
}

TaskOutcome SettingsWriter::SendPowerDebounce() {
    return Checked(context_.sender.SendPowerDebounce(context_.state.CurrentProfile()));
}

TaskOutcome SettingsWriter::WriteAllSettings() {
    const bool lighting = context_.Description().lighting;
    context_.view.RefreshPage(Page::kButtons);
    pages_.RefreshPerformance();
    pages_.RefreshLighting();  // also makes the profile's active effect current

    TaskOutcome outcome = SendButtons();
    if (lighting) {
        outcome = Combine(outcome, SendLighting());
    }
    outcome = Combine(outcome, SendDpiStages());
    outcome = Combine(outcome, SendDpiColours());
    outcome = Combine(outcome, SendReportRate());
    outcome = Combine(outcome, SendLiftSensor());
    return Combine(outcome, SendPowerDebounce());
}

}  // namespace mousedeck::shell::app
