#include "lighting_text.h"

#include <string>

#include "pages/lighting/colour_words.h"

namespace mousedeck::ctl {
namespace {

constexpr int kLightingText = 265;
constexpr int kBrightnessText = 268;
constexpr int kSpeedText = 269;

std::string EffectName(Session& session, int name_text, std::string_view word) {
    return session.Text(name_text, std::string(word));
}

}  // namespace

pages::lighting::LightingView ReadLighting(Session& session) {
    auto& controller = session.Controller();
    return pages::lighting::ReadLightingView(controller.Database(), controller.CurrentProfile());
}

void PutLighting(const pages::lighting::LightingView& view, Session& session, Report& report) {
    const std::string heading = session.Text(kLightingText, "Lighting");
    if (!session.Controller().Description().lighting) {
        report.Json()["lighting"] = nullptr;
        report.Line(heading + ": this mouse has none");
        return;
    }
    nlohmann::ordered_json effects = nlohmann::ordered_json::array();
    std::string offered;
    for (const auto& entry : view.effects) {
        effects.push_back(entry.word.empty() ? nlohmann::ordered_json(entry.code)
                                             : nlohmann::ordered_json(entry.word));
        offered += (offered.empty() ? "" : " ") +
                   (entry.word.empty() ? std::to_string(entry.code) : std::string(entry.word));
    }
    nlohmann::ordered_json lighting = {{"code", view.effect}, {"effects", effects}};
    if (!view.current) {
        lighting["effect"] = nullptr;
        report.Json()["lighting"] = lighting;
        report.Line(heading + ": no stored effect " + std::to_string(view.effect) + " (offered: " + offered +
                    ")");
        return;
    }
    const auto& current = *view.current;
    const std::string_view word = pages::lighting::EffectWord(view.effect);
    const std::string name = EffectName(session, current.row.reserved, word);
    lighting["effect"] = word.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(word);
    lighting["name"] = name;
    std::string line = heading + ": " + name + " (" + std::string(word) + ")";
    if (current.controls.brightness) {
        lighting["brightness"] = current.row.brightness;
        lighting["brightness_percent"] = current.brightness_percent;
        line += ", " + session.Text(kBrightnessText, "brightness") + " " +
                std::to_string(current.row.brightness) + " (" + std::to_string(current.brightness_percent) +
                " %)";
    }
    if (current.controls.speed) {
        lighting["speed"] = current.row.speed;
        line += ", " + session.Text(kSpeedText, "speed") + " " + std::to_string(current.row.speed);
    }
    nlohmann::ordered_json colours = nlohmann::ordered_json::array();
    std::string colour_line;
    for (const int colour : current.colours) {
        colours.push_back(pages::lighting::HexColourText(colour));
        colour_line += " " + pages::lighting::HexColourText(colour);
    }
    lighting["colours"] = colours;
    report.Json()["lighting"] = lighting;
    report.Line(line);
    if (!colour_line.empty()) {
        report.Line("  colours:" + colour_line);
    }
    report.Line("  effects offered: " + offered);
}

}  // namespace mousedeck::ctl
