#pragma once

// What a button does is stored as a ButtonBinding: `macro_type` names the
// function family, `macro_value` the value within it and `macro_value2` a
// second value. The same family codes appear as `func_type` in the product
// descriptions. The device bytes of each family are composed by the protocol
// layer from these values.
namespace mousedeck::pages::buttons {

namespace family {
inline constexpr int kMouse = 1;       // value 1..10, mouse_functions.h
inline constexpr int kKeyboard = 2;    // value: HID keyboard usage (0: modifiers only); value2: modifier mask
inline constexpr int kMultimedia = 3;  // value 1..8, multimedia_functions.h
inline constexpr int kMacro = 4;       // value: macro_id of the macro
inline constexpr int kDpi = 5;         // value 1..3, dpi_functions.h
inline constexpr int kSpecial = 6;     // value 1..6, family6_functions.h
inline constexpr int kParameterised = 7;  // value: parameter A; value2: parameter B
inline constexpr int kShortcut = 8;       // value 1..11, shortcut_functions.h
inline constexpr int kDisabled = 9;       // value 1
}  // namespace family

// The Parameterised function's two one-byte parameters as the parameter panel
// limits them.
inline constexpr int kParameterAMin = 5;
inline constexpr int kParameterAMax = 255;
inline constexpr int kParameterADefault = 5;
inline constexpr int kParameterBMin = 0;
inline constexpr int kParameterBMax = 255;
inline constexpr int kParameterBDefault = 1;

// The one value of the Disabled family.
inline constexpr int kDisabledValue = 1;

// Bits of the modifier mask: the HID keyboard report's modifier byte.
namespace modifier {
inline constexpr int kLeftCtrl = 0x01;
inline constexpr int kLeftShift = 0x02;
inline constexpr int kLeftAlt = 0x04;
inline constexpr int kLeftGui = 0x08;  // left Windows key
inline constexpr int kRightCtrl = 0x10;
inline constexpr int kRightShift = 0x20;
inline constexpr int kRightAlt = 0x40;
inline constexpr int kRightGui = 0x80;  // right Windows key
// The bits the key capture panel's toggles (Ctrl, Shift, Alt, Win) set.
inline constexpr int kToggleBits = kLeftCtrl | kLeftShift | kLeftAlt | kLeftGui;
}  // namespace modifier

// Text numbers of the captions that belong to a family rather than a value.
namespace text {
inline constexpr int kDisabled = 139;            // Disabled: caption and description
inline constexpr int kParameterisedShown = 161;  // Parameterised function as shown for a stored row
inline constexpr int kParameterPanel = 182;      // parameter panel caption, stored as the description
inline constexpr int kMacroPrefix = 351;         // replaces "Custom" in macro names
inline constexpr int kMacroCopy = 31;            // replaces "Copy" in the macro list
}  // namespace text

}  // namespace mousedeck::pages::buttons
