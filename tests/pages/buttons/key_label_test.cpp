#include "pages/buttons/key_label.h"

#include <gtest/gtest.h>

namespace mousedeck::pages::buttons {
namespace {

TEST(ComposeKeyLabel, ModifiersInFixedOrderThenTheKey) {
    const struct {
        ModifierToggles toggles;  // shift, ctrl, win, alt
        const char* key_name;
        const char* label;
        int mask;
    } cases[] = {
        {{false, true, false, true}, "F5", "Ctrl + Alt + F5", 0x05},
        {{false, false, false, false}, "A", "A", 0x00},
        {{true, false, false, false}, "", "Shift", 0x02},
        {{true, true, true, true}, "Delete", "Shift + Ctrl + Win + Alt + Delete", 0x0F},
        {{false, false, true, true}, "", "Win + Alt", 0x0C},
        {{false, true, false, false}, "Windows", "Ctrl + Windows", 0x01},
        {{false, false, false, false}, "", "", 0x00},
        {{false, false, false, false}, "\xEF\xBF\xA5", "\xEF\xBF\xA5", 0x00},
    };
    for (const auto& c : cases) {
        const KeyLabel result = ComposeKeyLabel(c.toggles, c.key_name);
        EXPECT_EQ(result.label, c.label);
        EXPECT_EQ(result.mask, c.mask) << c.label;
    }
}

}  // namespace
}  // namespace mousedeck::pages::buttons
