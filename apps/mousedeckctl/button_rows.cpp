#include "button_rows.h"

#include <algorithm>

#include "pages/buttons/binding_description.h"
#include "pages/buttons/button_assignment.h"
#include "pages/buttons/function_words.h"

namespace mousedeck::ctl {
namespace {

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

}  // namespace

std::vector<ButtonRow> ReadButtons(Session& session) {
    auto& controller = session.Controller();
    const int profile = controller.CurrentProfile();
    std::vector<ButtonRow> rows;
    for (const devices::DescriptionButton& button : controller.Description().buttons) {
        ButtonRow row;
        row.key_code = button.key_value;
        row.name = session.Text(button.name, "Button " + std::to_string(button.key_value));
        row.word = pages::buttons::ButtonWord(session.Texts().LangText(button.name));
        if (const auto binding = controller.Database().GetBinding(profile, button.key_value)) {
            row.assigned = true;
            row.function = pages::buttons::DescribeBinding(*binding, session.Texts(), session.Language());
            row.words = Joined(pages::buttons::FunctionWordsOf(binding->macro_type, binding->macro_value,
                                                               binding->macro_value2));
        } else {
            row.function = session.Texts().LangText(button.description);
            row.words = Joined(pages::buttons::FunctionWordsOf(button.func_type, button.func_value, 0));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

void PutButtons(const std::vector<ButtonRow>& rows, Report& report) {
    nlohmann::ordered_json buttons = nlohmann::ordered_json::array();
    std::size_t name_width = 0;
    std::size_t function_width = 0;
    for (const ButtonRow& row : rows) {
        name_width = std::max(name_width, row.name.size());
        function_width = std::max(function_width, row.function.size());
    }
    for (const ButtonRow& row : rows) {
        buttons.push_back({{"key_code", row.key_code},
                           {"name", row.name},
                           {"word", row.word},
                           {"function", row.function},
                           {"words", row.words},
                           {"default", !row.assigned}});
        std::string line = "  " + std::to_string(row.key_code) + "  " + row.name +
                           std::string(name_width - row.name.size() + 2, ' ') + row.function;
        if (!row.words.empty()) {
            line += std::string(function_width - row.function.size() + 2, ' ') + "[" + row.words + "]";
        }
        if (!row.assigned) {
            line += " (default)";
        }
        report.Line(line);
    }
    report.Json()["buttons"] = buttons;
}

}  // namespace mousedeck::ctl
