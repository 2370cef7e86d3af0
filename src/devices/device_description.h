#pragma once

#include <array>
#include <string>
#include <vector>

namespace mousedeck::devices {

// One `key` of a description file's `mouse_key`: a button of the mouse, its
// label on the mouse picture and its default function.
struct DescriptionButton {
    int name = 0;       // language text number of the button's name
    int key_value = 0;  // the button's number in the device protocol
    int direction = 0;  // label direction on the mouse picture
    int x1 = 0;         // `rect` "x1#x2#y": the label runs from (x1, y) to (x2, y)
    int x2 = 0;
    int y = 0;
    int description = 0;  // language text number of the default function's description
    int func_type = 0;    // default function family
    int func_value = 0;   // default function value

    bool operator==(const DescriptionButton&) const = default;
};

// The `custom` switches: which optional parts of the pages are offered.
struct PageOptions {
    bool show_dpi_tips = true;   // DPI pop-up when the stage changes
    bool show_save_tips = true;  // wait notice while settings are written
    bool show_lod = true;        // lift-off distance setting
    bool show_sensor = true;     // sensor options

    bool operator==(const PageOptions&) const = default;
};

// What the current product's description file offers. Loading updates it in
// place: an element the file lacks leaves its field as it was, so the flags
// start "on" and keep the previous product's value when a file omits them.
struct DeviceDescription {
    std::string mouse_picture;  // <skin>/device/<mouse_img>; empty until one is read
    bool lighting = true;       // `menu light`: the lighting page exists
    PageOptions options;
    std::string firmware_url;  // empty when the current product names none
    std::vector<DescriptionButton> buttons;
    // Indexed by lighting effect: [0] effect 0 (off) from `light_6`,
    // [1]..[5] effects 1..5 from `light_1`..`light_5`.
    std::array<bool, 6> light_effects{};
};

}  // namespace mousedeck::devices
