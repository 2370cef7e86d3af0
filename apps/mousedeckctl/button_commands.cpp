#include "button_rows.h"
#include "commands.h"
#include "conclusion.h"
#include "pages/buttons/button_assignment.h"
#include "pages/buttons/function_family.h"
#include "pages/buttons/function_words.h"
#include "pages/buttons/macro_names.h"

namespace mousedeck::ctl {
namespace {

namespace buttons = pages::buttons;

// The row of one button after a change, with the whole list in the JSON.
void PutButton(Session& session, int key_code, Report& report) {
    const std::vector<ButtonRow> rows = ReadButtons(session);
    for (const ButtonRow& row : rows) {
        if (row.key_code == key_code) {
            report.Json()["button"] = {{"key_code", row.key_code},
                                       {"name", row.name},
                                       {"function", row.function},
                                       {"words", row.words},
                                       {"default", !row.assigned}};
            report.Line(row.name + " (" + std::to_string(row.key_code) + "): " + row.function +
                        (row.words.empty() ? "" : "  [" + row.words + "]") +
                        (row.assigned ? "" : " (default)"));
        }
    }
}

std::optional<devices::DescriptionButton> FindButton(Session& session, const std::string& word,
                                                     Report& report) {
    const buttons::ButtonLookup lookup =
        buttons::FindButton(session.Controller().Description().buttons, word, session.Texts());
    if (!lookup.button) {
        report.Usage(lookup.error);
    }
    return lookup.button;
}

std::string MacroIds(store::SettingsDatabase& db) {
    std::string ids;
    for (const store::MacroEntry& macro : db.ListMacros()) {
        ids += (ids.empty() ? "" : ", ") + std::to_string(macro.macro_id) + " (" + macro.name + ")";
    }
    return ids.empty() ? "there are none" : "there are " + ids;
}

void SetButton(const Invocation& invocation, std::span<const std::string> args, Report& report) {
    if (args.size() < 2) {
        UsageOf("button", "button set takes a button and a function", report);
        return;
    }
    const buttons::FunctionWordsParse parsed = buttons::ParseFunctionWords(args.subspan(1));
    if (!parsed.choice) {
        UsageOf("button", parsed.error, report);
        return;
    }
    const auto session = StartWithDevice(invocation, report);
    if (!session) {
        return;
    }
    const auto button = FindButton(*session, args[0], report);
    if (!button) {
        return;
    }
    auto& controller = session->Controller();
    std::string macro_name;
    if (parsed.choice->family == buttons::family::kMacro) {
        const auto macro = controller.Database().GetMacro(parsed.choice->value);
        if (!macro) {
            report.Usage("no macro has id " + std::to_string(parsed.choice->value) + "; " +
                         MacroIds(controller.Database()));
            return;
        }
        macro_name = macro->name;
    }
    const buttons::Assignment assignment = buttons::AssignFunction(
        controller.CurrentProfile(), button->key_value, *parsed.choice, session->Texts(), macro_name);
    if (assignment.outcome == buttons::AssignmentOutcome::kRefused) {
        const std::string title = session->Text(assignment.refusal.title_text);
        report.Json()["refusal"] = {{"title_text", assignment.refusal.title_text},
                                    {"message_text", assignment.refusal.message_text}};
        report.Usage((title.empty() ? "" : title + ": ") +
                     session->Text(assignment.refusal.message_text, "this button cannot be reassigned"));
        return;
    }
    if (assignment.outcome == buttons::AssignmentOutcome::kNothing) {
        report.Usage("that names no function a button can take");
        return;
    }
    const ActionOutcome outcome =
        session->Perform(Operation{Operation::Kind::kButton, 0, 0, assignment.binding});
    PutButton(*session, button->key_value, report);
    Conclude(outcome, *session, report);
}

void ResetButtons(const Invocation& invocation, std::span<const std::string> args, Report& report) {
    const bool all = invocation.Has("all");
    if (all == (args.size() == 1) || args.size() > 1) {
        UsageOf("button", "button reset takes one button, or --all", report);
        return;
    }
    const auto session = StartWithDevice(invocation, report);
    if (!session) {
        return;
    }
    const std::optional<devices::DescriptionButton> button =
        all ? std::nullopt : FindButton(*session, args[0], report);
    if (!all && !button) {
        return;
    }
    if (!session->Confirm(buttons::kResetQuestionTitle, buttons::kResetQuestionMessage)) {
        RefuseUnconfirmed(buttons::kResetQuestionTitle, buttons::kResetQuestionMessage, *session, report);
        return;
    }
    if (all) {
        const ActionOutcome outcome = session->Perform(Operation{Operation::Kind::kButtonsReset, 0, 0, {}});
        PutButtons(ReadButtons(*session), report);
        Conclude(outcome, *session, report);
        return;
    }
    const int key_code = button->key_value;
    const ActionOutcome outcome = session->Perform(Operation{Operation::Kind::kButtonReset, key_code, 0, {}});
    PutButton(*session, key_code, report);
    Conclude(outcome, *session, report);
}

}  // namespace

void RunButton(const Invocation& invocation, std::span<const std::string> args, Report& report) {
    const std::string what = args.empty() ? std::string() : args[0];
    if (invocation.Has("all") && what != "reset") {
        UsageOf("button", "--all is only for button reset", report);
        return;
    }
    if (what == "list" && args.size() == 1) {
        const auto session = StartWithDevice(invocation, report);
        if (session) {
            PutButtons(ReadButtons(*session), report);
        }
    } else if (what == "set") {
        SetButton(invocation, args.subspan(1), report);
    } else if (what == "reset") {
        ResetButtons(invocation, args.subspan(1), report);
    } else {
        UsageOf("button", "button takes list, set <button> <function> or reset <button>|--all", report);
    }
}

}  // namespace mousedeck::ctl
