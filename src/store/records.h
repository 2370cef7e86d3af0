#pragma once

#include <array>
#include <string>

// In-memory copies of one database row each, owned by the caller. The meaning
// of the button, macro and lighting fields belongs to the pages that use them.
namespace mousedeck::store {

// t_profile_data. `status` is 1 for the active profile, 0 for the others;
// `app` is always empty and `type` always 0 in rows this program writes.
struct ProfileEntry {
    int profile = 0;
    std::string name{};
    std::string app{};
    int type = 0;
    int status = 0;

    bool operator==(const ProfileEntry&) const = default;
};

// t_key_macro_data: what one button does in one profile.
struct ButtonBinding {
    int key_id = 0;
    int profile = 0;
    int fn_layer = 0;
    int key_code = 0;
    int layout_value = 0;
    std::string layout_desc{};
    int macro_type = 0;
    int macro_value = 0;
    int macro_value2 = 0;
    int macro_value3 = 0;
    std::string macro_desc{};

    bool operator==(const ButtonBinding&) const = default;
};

// t_macro_data: a macro's header.
struct MacroEntry {
    int macro_id = 0;
    std::string name{};
    int play_type = 0;
    int play_times = 0;
    int delay_type = 0;
    int delay_time = 0;

    bool operator==(const MacroEntry&) const = default;
};

// t_macrorecord: one recorded event of a macro; `record_index` orders them.
struct MacroRecord {
    int record_id = 0;
    int macro_id = 0;
    int type = 0;
    int record_index = 0;
    int value = 0;
    int delay_time = 0;
    std::string desc{};

    bool operator==(const MacroRecord&) const = default;
};

// t_light_data: one lighting effect of a profile; `status` 1 marks the active one.
struct LightSetting {
    int light_id = 0;
    int profile = 0;
    std::string name{};
    int mode = 0;
    int brightness = 0;
    int speed = 0;
    int direction = 0;
    int colorful = 0;
    int colorindex = 0;
    std::array<int, 7> color_values{};  // color_value1 ... color_value7, 0x00BBGGRR
    int config_func = 0;
    int reserved = 0;
    int status = 0;

    bool operator==(const LightSetting&) const = default;
};

// One t_configdata row to seed a new profile with: key name and decimal text.
struct ConfigRow {
    std::string key{};
    std::string value{};

    bool operator==(const ConfigRow&) const = default;
};

}  // namespace mousedeck::store
