#include "pages/profiles/profile_file_reader.h"

#include "shell/lenient_number.h"

namespace mousedeck::pages::profiles {
namespace {

namespace px = profile_xml;

int NumberOf(const xml::XmlDocument& doc, std::string_view name) {
    return shell::ParseLenientInt(doc.AttributeOf(name));
}

store::ButtonBinding ReadBinding(const xml::XmlDocument& doc) {
    store::ButtonBinding binding;
    binding.key_code = NumberOf(doc, px::kKeyCode);
    binding.macro_type = NumberOf(doc, px::kMacroType);
    binding.macro_value = NumberOf(doc, px::kMacroValue);
    binding.macro_value2 = NumberOf(doc, px::kMacroValue2);
    binding.macro_value3 = NumberOf(doc, px::kMacroValue3);
    binding.macro_desc = doc.AttributeOf(px::kMacroDesc);
    return binding;
}

store::LightSetting ReadLight(const xml::XmlDocument& doc) {
    store::LightSetting light;
    light.mode = NumberOf(doc, px::kLightMode);
    light.brightness = NumberOf(doc, px::kBrightness);
    light.speed = NumberOf(doc, px::kSpeed);
    light.direction = NumberOf(doc, px::kDirection);
    light.colorful = NumberOf(doc, px::kColorful);
    light.colorindex = NumberOf(doc, px::kColorIndex);
    for (std::size_t i = 0; i < px::kColours.size(); ++i) {
        light.color_values[i] = NumberOf(doc, px::kColours[i]);
    }
    return light;
}

// Calls `read` for every `item` among the children of the current element;
// the cursor ends back on that element.
template <typename Read>
void ForEachItem(xml::XmlDocument& doc, Read read) {
    doc.EnterElement();
    while (doc.FindNext(px::kItem)) {
        read(doc);
    }
    doc.LeaveElement();
}

void ReadDpi(xml::XmlDocument& doc, ProfileFileContents& contents) {
    for (std::string_view key : px::kDpiKeys) {
        contents.config.push_back({std::string(key), doc.AttributeOf(key)});
    }
    doc.EnterElement();
    for (int stage = 0; stage < px::kDpiStages; ++stage) {
        if (doc.FindNext(StageElement(stage))) {
            contents.config.push_back({store::DpiValueKey(stage), doc.AttributeOf(px::kStageValue)});
            contents.config.push_back({store::DpiColourKey(stage), doc.AttributeOf(px::kStageColour)});
        }
    }
    doc.LeaveElement();
}

void ReadMouse(xml::XmlDocument& doc, ProfileFileContents& contents) {
    doc.EnterElement();
    for (std::string_view key : px::kMouseKeys) {
        if (doc.FindNext(key)) {
            contents.config.push_back({std::string(key), doc.AttributeOf(px::kValue)});
        }
    }
    doc.LeaveElement();
}

ProfileFileRead Failed(ProfileFileStatus status) {
    ProfileFileRead read;
    read.status = status;
    return read;
}

}  // namespace

ProfileFileRead ReadProfileDocument(xml::XmlDocument& doc, bool lighting_enabled) {
    doc.ResetPosition();
    if (!doc.FindNext(px::kRoot) || !doc.EnterElement()) {
        return Failed(ProfileFileStatus::kMalformed);
    }
    if (doc.FindNext(px::kInfo)) {
        doc.EnterElement();
    }
    ProfileFileRead read;
    ProfileFileContents& contents = read.contents;
    if (doc.FindNext(px::kKeys)) {
        ForEachItem(doc, [&](const xml::XmlDocument& d) { contents.bindings.push_back(ReadBinding(d)); });
    }
    if (lighting_enabled && doc.FindNext(px::kLights)) {
        contents.active_light = NumberOf(doc, px::kActiveLight);
        ForEachItem(doc, [&](const xml::XmlDocument& d) { contents.lights.push_back(ReadLight(d)); });
    }
    if (doc.FindNext(px::kDpi)) {
        ReadDpi(doc, contents);
    }
    if (doc.FindNext(px::kMouse)) {
        ReadMouse(doc, contents);
    }
    return read;
}

ProfileFileRead ReadProfileFile(const std::string& path, bool lighting_enabled) {
    xml::XmlDocument doc;
    if (!doc.LoadText(path)) {
        return Failed(ProfileFileStatus::kUnreadable);
    }
    if (!doc.ParseText()) {
        return Failed(ProfileFileStatus::kMalformed);
    }
    return ReadProfileDocument(doc, lighting_enabled);
}

ProfileFileRead ReadProfileBytes(std::string_view bytes, bool lighting_enabled) {
    xml::XmlDocument doc;
    doc.SetBytes(bytes);
    if (!doc.ParseText()) {
        return Failed(ProfileFileStatus::kMalformed);
    }
    return ReadProfileDocument(doc, lighting_enabled);
}

}  // namespace mousedeck::pages::profiles
