#include "pages/profiles/profile_export.h"

#include "pages/macros/checked_xml_writer.h"
#include "store/profile_setup.h"

namespace mousedeck::pages::profiles {
namespace {

namespace px = profile_xml;
using macros::CheckedXmlWriter;

void WriteBindings(CheckedXmlWriter& writer, const ProfileTarget& target) {
    writer.Append(px::kKeys);
    writer.Enter();
    for (const store::ButtonBinding& binding : target.db.ListBindings(target.profile)) {
        writer.Append(px::kItem);
        writer.Set(px::kKeyCode, binding.key_code);
        writer.Set(px::kMacroType, binding.macro_type);
        writer.Set(px::kMacroValue, binding.macro_value);
        writer.Set(px::kMacroValue2, binding.macro_value2);
        writer.Set(px::kMacroValue3, binding.macro_value3);
        writer.Set(px::kMacroDesc, binding.macro_desc);
    }
    writer.Leave();
}

void WriteLights(CheckedXmlWriter& writer, const ProfileTarget& target) {
    writer.Append(px::kLights);
    writer.Set(px::kActiveLight, target.db.GetActiveLightMode(target.profile));
    writer.Enter();
    for (const store::LightSetting& light : target.db.ListLightRows(target.profile)) {
        writer.Append(px::kItem);
        writer.Set(px::kLightMode, light.mode);
        writer.Set(px::kBrightness, light.brightness);
        writer.Set(px::kSpeed, light.speed);
        writer.Set(px::kDirection, light.direction);
        writer.Set(px::kColorful, light.colorful);
        writer.Set(px::kColorIndex, light.colorindex);
        for (std::size_t i = 0; i < px::kColours.size(); ++i) {
            writer.Set(px::kColours[i], light.color_values[i]);
        }
    }
    writer.Leave();
}

// A configuration key's text as stored; empty when the profile lacks it.
std::string ConfigText(const ProfileTarget& target, std::string_view key) {
    return target.db.GetConfigValue(target.profile, key).value_or("");
}

void WriteDpi(CheckedXmlWriter& writer, const ProfileTarget& target) {
    auto value = [&](std::string_view key) { return ConfigText(target, key); };
    writer.Append(px::kDpi);
    for (std::string_view key : px::kDpiKeys) {
        writer.Set(key, value(key));
    }
    writer.Enter();
    for (int stage = 0; stage < px::kDpiStages; ++stage) {
        writer.Append(StageElement(stage));
        writer.Set(px::kStageValue, value(store::DpiValueKey(stage)));
        writer.Set(px::kStageColour, value(store::DpiColourKey(stage)));
    }
    writer.Leave();
}

void WriteMouse(CheckedXmlWriter& writer, const ProfileTarget& target) {
    writer.Append(px::kMouse);
    writer.Enter();
    for (std::string_view key : px::kMouseKeys) {
        writer.Append(key);
        writer.Set(px::kValue, ConfigText(target, key));
    }
    writer.Leave();
}

}  // namespace

std::optional<xml::XmlDocument> BuildProfileFile(const ProfileTarget& target, std::string_view display_name) {
    CheckedXmlWriter writer;
    writer.Append(px::kRoot);
    writer.Enter();
    writer.Append(px::kInfo);
    writer.Set(px::kName, display_name);
    writer.Enter();
    WriteBindings(writer, target);
    if (target.lighting_enabled) {
        WriteLights(writer, target);
    }
    WriteDpi(writer, target);
    WriteMouse(writer, target);
    return writer.Finish();
}

ProfileFileStatus ExportProfileFile(const ProfileTarget& target, const devices::TextLookup& text,
                                    const std::string& path) {
    const std::optional<std::string> stored = target.db.GetProfileName(target.profile);
    if (!stored) {
        return ProfileFileStatus::kNoSuchProfile;
    }
    const std::string word = text ? text(store::kProfileWordText) : std::string();
    std::optional<xml::XmlDocument> doc = BuildProfileFile(target, store::ProfileDisplayName(*stored, word));
    if (!doc || !doc->SaveText(path)) {
        return ProfileFileStatus::kWriteFailed;
    }
    return ProfileFileStatus::kOk;
}

}  // namespace mousedeck::pages::profiles
