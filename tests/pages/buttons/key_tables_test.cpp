#include "pages/buttons/key_tables.h"

#include <gtest/gtest.h>

namespace mousedeck::pages::buttons {
namespace {

TEST(UsageOf, TranslatesVirtualKeysToKeyboardUsages) {
    const struct {
        int key_code;
        int usage;
        const char* what;
    } cases[] = {
        {0x41, 0x04, "A"},
        {0x5A, 0x1D, "Z"},
        {0x31, 0x1E, "1"},
        {0x39, 0x26, "9"},
        {0x30, 0x27, "0 follows 9"},
        {0x0D, 0x28, "Return"},
        {0x1B, 0x29, "Escape"},
        {0x20, 0x2C, "Space"},
        {0xBB, 0x2E, "OEM plus is the = key"},
        {0xDC, 0x31, "OEM 5 backslash"},
        {0xBF, 0x38, "OEM 2 slash"},
        {0x70, 0x3A, "F1"},
        {0x7B, 0x45, "F12"},
        {0x7C, 0x68, "F13 jumps to the second F-key block"},
        {0x87, 0x73, "F24"},
        {0x13, 0x48, "Pause"},
        {0x2E, 0x4C, "Delete"},
        {0x26, 0x52, "Up"},
        {0x90, 0x53, "Num Lock"},
        {0x6C, 0x58, "keypad Enter (Separator)"},
        {0x61, 0x59, "keypad 1"},
        {0x69, 0x61, "keypad 9"},
        {0x60, 0x62, "keypad 0 follows keypad 9"},
        {0x6E, 0x63, "keypad decimal"},
        {0xE2, 0x64, "OEM 102"},
        {0x5D, 0x65, "Applications"},
        {0xA2, 0xE0, "left Ctrl"},
        {0xA0, 0xE1, "left Shift"},
        {0xA4, 0xE2, "left Alt"},
        {0x5B, 0xE3, "left Windows"},
        {0xA3, 0xE4, "right Ctrl"},
        {0xA1, 0xE5, "right Shift"},
        {0xA5, 0xE6, "right Alt"},
        {0x5C, 0xE7, "right Windows"},
        {0xFE, 0xAF, "OEM Clear"},
        {0x88, 0x88, "International 2"},
        {0x8B, 0x8B, "International 5"},
        {666, 0x32, "extra code: Non-US #"},
        {301, 0xEC, "extra code"},
        {302, 0xEB, "extra code"},
        // No usage.
        {0, 0, "no key"},
        {0x10, 0, "generic Shift without a side"},
        {0x11, 0, "generic Ctrl without a side"},
        {0xA6, 0, "Browser Back"},
        {0x0C, 0, "Clear without Num Lock"},
        {0x3A, 0, "unassigned code after the digits"},
        {0xFF, 0, "0xFF"},
        {300, 0, "between the extra codes"},
        {665, 0, "below 666"},
        {667, 0, "above the table"},
        {-1, 0, "negative"},
        {1 << 30, 0, "far out of range"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UsageOf(c.key_code), c.usage) << c.what << " (0x" << std::hex << c.key_code << ")";
    }
}

TEST(UsageOf, IsInvertedByKeyCodeOfUsage) {
    int keys_with_usage = 0;
    for (int code = -2; code <= kMaxKeyCode + 2; ++code) {
        const int usage = UsageOf(code);
        if (usage != 0) {
            ++keys_with_usage;
            EXPECT_EQ(KeyCodeOfUsage(usage), code) << "code " << code;
        }
    }
    EXPECT_GT(keys_with_usage, 100);
    for (int usage : {0, 0x01, 0x66, 0xA0, 0xE8, 0xFF, 0x100, -1}) {
        EXPECT_EQ(KeyCodeOfUsage(usage), 0) << "usage 0x" << std::hex << usage;
    }
}

TEST(ModifierBitOf, GivesTheBitOfVirtualKeysAndUsagesAndPassesOthers) {
    const struct {
        int code;
        int result;
    } cases[] = {
        {0xA2, 0x01},
        {0xE0, 0x01},
        {0xA0, 0x02},
        {0xE1, 0x02},
        {0xA4, 0x04},
        {0xE2, 0x04},
        {0x5B, 0x08},
        {0xE3, 0x08},
        {0xA3, 0x10},
        {0xE4, 0x10},
        {0xA1, 0x20},
        {0xE5, 0x20},
        {0xA5, 0x40},
        {0xE6, 0x40},
        {0x5C, 0x80},
        {0xE7, 0x80},
        // Not a modifier: returned unchanged; 0 gives 0.
        {0, 0},
        {0x41, 0x41},
        {0x10, 0x10},
        {0xE8, 0xE8},
        {0xDF, 0xDF},
        {-7, -7},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ModifierBitOf(c.code), c.result) << "0x" << std::hex << c.code;
    }
}

TEST(ModifierBitOf, AgreesWithTheUsageTableForEveryModifierKey) {
    int modifiers = 0;
    for (int code = 0; code <= 0xFF; ++code) {
        if (!IsModifierKey(code)) {
            continue;
        }
        ++modifiers;
        const int usage = UsageOf(code);
        EXPECT_GE(usage, 0xE0) << code;
        EXPECT_LE(usage, 0xE7) << code;
        EXPECT_EQ(ModifierBitOf(code), ModifierBitOf(usage)) << code;
        EXPECT_EQ(ModifierBitOf(usage), 1 << (usage - 0xE0)) << "HID modifier byte order";
    }
    EXPECT_EQ(modifiers, 8);
    EXPECT_FALSE(IsModifierKey(0x10)) << "the generic Shift code has no side";
    EXPECT_FALSE(IsModifierKey(0xE2)) << "OEM 102 is a virtual key, not left Alt";
}

}  // namespace
}  // namespace mousedeck::pages::buttons
