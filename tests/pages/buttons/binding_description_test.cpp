#include "pages/buttons/binding_description.h"

#include <gtest/gtest.h>

#include "button_texts_fixture.h"

namespace mousedeck::pages::buttons {
namespace {

store::ButtonBinding Binding(int family, int value, int value2, std::string stored) {
    store::ButtonBinding binding;
    binding.profile = 1;
    binding.key_code = 3;
    binding.macro_type = family;
    binding.macro_value = value;
    binding.macro_value2 = value2;
    binding.macro_desc = std::move(stored);
    return binding;
}

using DescribeBindingTest = ButtonTextsTest;

TEST_F(DescribeBindingTest, EachFamilyShowsItsTextOrTheStoredDescription) {
    const struct {
        int family;
        int value;
        int value2;
        const char* stored;
        const char* shown;
    } cases[] = {
        // Mouse function: by value, 9 and 10 included.
        {1, 1, 0, "stale", "Left click"},
        {1, 3, 0, "stale", "Right click"},
        {1, 4, 0, "stale", "Triple click"},
        {1, 10, 0, "stale", "Tilt right"},
        {1, 11, 0, "stored 1/11", "stored 1/11"},
        {1, 0, 5, "stored 1/0", "stored 1/0"},
        // Keyboard key: always the stored label.
        {2, 0x04, 0x02, "Shift + A", "Shift + A"},
        {2, 0, 0x01, "", ""},
        // Multimedia.
        {3, 3, 0, "stale", "Stop playback"},
        {3, 8, 0, "stale", "Mute"},
        {3, 9, 0, "stored 3/9", "stored 3/9"},
        // DPI: always the stored caption.
        {5, 1, 0, "DPI +", "DPI +"},
        {5, 3, 0, "cycle as stored", "cycle as stored"},
        // Special function: by value, except value 2.
        {6, 1, 0, "stale", "Report rate cycle"},
        {6, 2, 0, "Lighting cycle (stored)", "Lighting cycle (stored)"},
        {6, 3, 0, "stale", "Profile cycle"},
        {6, 6, 0, "stale", "Lift-off cycle"},
        {6, 7, 0, "stored 6/7", "stored 6/7"},
        // Parameterised function: text 161 while parameter A is in 5..255.
        {7, 5, 0, "Rapid fire settings", "Rapid fire"},
        {7, 255, 255, "Rapid fire settings", "Rapid fire"},
        {7, 4, 1, "stored 7/4", "stored 7/4"},
        {7, 256, 1, "stored 7/256", "stored 7/256"},
        // Shortcut.
        {8, 9, 0, "stale", "Copy"},
        {8, 10, 0, "stale", "Paste"},
        {8, 11, 0, "stale", "Cut"},
        {8, 12, 0, "stored 8/12", "stored 8/12"},
        // Disabled.
        {9, 1, 0, "stale", "Disabled"},
        {9, 2, 0, "stored 9/2", "stored 9/2"},
        // Unknown families.
        {0, 1, 0, "stored 0", "stored 0"},
        {10, 1, 0, "stored 10", "stored 10"},
        {-1, 1, 0, "stored -1", "stored -1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DescribeBinding(Binding(c.family, c.value, c.value2, c.stored), texts, 1033), c.shown)
            << "family " << c.family << " value " << c.value;
    }
}

TEST_F(DescribeBindingTest, TextsFollowTheInterfaceLanguage) {
    const store::ButtonBinding right = Binding(1, 3, 0, "Right click");
    EXPECT_EQ(DescribeBinding(right, texts, 1033), "Right click");
    Use(2052);
    EXPECT_EQ(DescribeBinding(right, texts, 2052), "右键");
    EXPECT_EQ(DescribeBinding(Binding(3, 8, 0, "Mute"), texts, 2052), "")
        << "a text the language file lacks shows empty";
}

TEST_F(DescribeBindingTest, MacroNamesAreLocalisedByTheInterfaceLanguage) {
    const store::ButtonBinding binding = Binding(4, 7, 0, "自定义 2 复制");
    EXPECT_EQ(DescribeBinding(binding, texts, 1033), "Custom 2  Copy");
    Use(2052);
    EXPECT_EQ(DescribeBinding(Binding(4, 7, 0, "Custom 2 Copy"), texts, 2052), "自定义 2  复制");
    EXPECT_EQ(DescribeBinding(Binding(4, 7, 0, "My macro"), texts, 2052), "My macro");
}

}  // namespace
}  // namespace mousedeck::pages::buttons
