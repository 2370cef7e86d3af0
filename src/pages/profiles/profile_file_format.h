#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/config_defaults.h"
#include "store/records.h"

namespace mousedeck::pages::profiles {

// A profile file is UTF-8 XML holding one profile's settings, all values
// as attributes, numbers in signed decimal:
//   profile
//     profileinfo name                    the display name, never read back
//       keyitems > item*                  button assignments of layer 0
//       Lightitems lightmode > item*      lighting rows, only with lighting
//       Mouse_DPI dpi_flag dpi_index dpi_count > DPI1 .. DPI6 (value, color)
//       Mouse > button_respondtime .. move_closelight (value)
// Sections and their children are written, and found, in this order.
namespace profile_xml {
inline constexpr std::string_view kRoot = "profile";
inline constexpr std::string_view kInfo = "profileinfo";
inline constexpr std::string_view kName = "name";
inline constexpr std::string_view kItem = "item";

inline constexpr std::string_view kKeys = "keyitems";
// Binding attributes, in the order written; the same-named binding fields.
inline constexpr std::string_view kKeyCode = "key_code";
inline constexpr std::string_view kMacroType = "macro_type";
inline constexpr std::string_view kMacroValue = "macro_value";
inline constexpr std::string_view kMacroValue2 = "macro_value2";
inline constexpr std::string_view kMacroValue3 = "macro_value3";
inline constexpr std::string_view kMacroDesc = "macro_desc";

inline constexpr std::string_view kLights = "Lightitems";
inline constexpr std::string_view kActiveLight = "lightmode";  // the active effect, 0 when none
// Lighting row attributes, in the order written; colours are 0x00BBGGRR.
inline constexpr std::string_view kLightMode = "light_mode";
inline constexpr std::string_view kBrightness = "brightness";
inline constexpr std::string_view kSpeed = "speed";
inline constexpr std::string_view kDirection = "direction";
inline constexpr std::string_view kColorful = "colorful";
inline constexpr std::string_view kColorIndex = "colorindex";
inline constexpr std::array<std::string_view, 7> kColours = {"color_value1", "color_value2", "color_value3",
                                                             "color_value4", "color_value5", "color_value6",
                                                             "color_value7"};

// Mouse_DPI carries the same-named configuration keys; DPI<n> carries
// dpi_group<n-1>_value and dpi_group<n-1>_rgb.
inline constexpr std::string_view kDpi = "Mouse_DPI";
inline constexpr std::array<std::string_view, 3> kDpiKeys = {
    store::config_key::kDpiFlag, store::config_key::kDpiIndex, store::config_key::kDpiCount};
inline constexpr int kDpiStages = 6;
inline constexpr std::string_view kStageValue = "value";
inline constexpr std::string_view kStageColour = "color";

// Mouse: one child per configuration key, named after it, its `value` the
// key's text.
inline constexpr std::string_view kMouse = "Mouse";
inline constexpr std::string_view kValue = "value";
inline constexpr std::array<std::string_view, 9> kMouseKeys = {
    store::config_key::kButtonRespondTime, store::config_key::kReportRate,
    store::config_key::kSensorFlag,        store::config_key::kLiftoffHeight,
    store::config_key::kScrollFlag,        store::config_key::kESportsFlag,
    store::config_key::kSleepLight,        store::config_key::kMoveWakeup,
    store::config_key::kMoveCloseLight};
}  // namespace profile_xml

// "DPI1" .. "DPI6" for stage 0 .. 5.
inline std::string StageElement(int stage) {
    return "DPI" + std::to_string(stage + 1);
}

// What a profile file holds, read completely before anything is stored.
struct ProfileFileContents {
    // Assignments in file order: layer 0, layout value 0, empty layout
    // description; `profile` and `key_id` are left 0.
    std::vector<store::ButtonBinding> bindings;
    // `lightmode`, when a `Lightitems` was read.
    std::optional<int> active_light;
    // One per lighting item: mode and values; name, config_func, reserved
    // and status are not part of a file and stay 0.
    std::vector<store::LightSetting> lights;
    // Configuration key texts in file order, as written (an attribute that
    // is missing gives the empty text).
    std::vector<store::ConfigRow> config;

    bool operator==(const ProfileFileContents&) const = default;
};

// Outcome of a profile file operation.
enum class ProfileFileStatus {
    kOk,
    kUnreadable,      // missing file, or it could not be read
    kMalformed,       // not well-formed XML, or the root is not `profile`
    kNoSuchProfile,   // the profile has no row in the database
    kWriteFailed,     // the file could not be written; an old file stays whole
    kDatabaseFailed,  // a write failed; the profile was put back as it was
};

}  // namespace mousedeck::pages::profiles
