#include <gtest/gtest.h>

#include <vector>

#include "frame_bytes.h"
#include "protocol/button_slots.h"
#include "test_bindings.h"

namespace mousedeck::protocol::test {
namespace {

Slot Encode(int family, int value, int value2 = 0) {
    const auto slot = EncodeBinding(Binding(6, family, value, value2), nullptr);
    EXPECT_TRUE(slot) << family << "/" << value;
    return slot.value_or(Slot{0xEE, 0xEE, 0xEE});
}

TEST(ButtonSlotTest, EncodingOfEveryFamily) {
    const struct {
        int family, value, value2;
        Slot slot;
    } cases[] = {
        // Mouse functions.
        {1, 1, 0, {0x10, 0x01, 0x00}},
        {1, 2, 0, {0x10, 0x04, 0x00}},
        {1, 3, 0, {0x10, 0x02, 0x00}},
        {1, 4, 0, {0x30, 0x32, 0x03}},
        {1, 5, 0, {0x10, 0x10, 0x00}},
        {1, 6, 0, {0x10, 0x08, 0x00}},
        {1, 7, 0, {0x20, 0x01, 0x00}},
        {1, 8, 0, {0x20, 0xFF, 0x00}},
        {1, 9, 0, {0x10, 0x00, 0xF5}},
        {1, 10, 0, {0x10, 0x00, 0xF6}},
        {1, 11, 0, {0x10, 0x00, 0x00}},
        {1, 0, 0, {0x10, 0x00, 0x00}},
        // Keyboard: usage with mask; a modifier usage joins the mask.
        {2, 0x04, 0x03, {0x70, 0x03, 0x04}},
        {2, 0xE3, 0x01, {0x70, 0x09, 0x00}},
        {2, 0xE5, 0x00, {0x70, 0x20, 0x00}},
        {2, 0, 0x05, {0x70, 0x05, 0x00}},
        {2, 0x104, 0x101, {0x70, 0x01, 0x04}},  // only the low bytes travel
        // Multimedia.
        {3, 1, 0, {0x80, 0x83, 0x01}},
        {3, 2, 0, {0x80, 0xCD, 0x00}},
        {3, 3, 0, {0x80, 0xB7, 0x00}},
        {3, 4, 0, {0x80, 0xB6, 0x00}},
        {3, 5, 0, {0x80, 0xB5, 0x00}},
        {3, 6, 0, {0x80, 0xE9, 0x00}},
        {3, 7, 0, {0x80, 0xEA, 0x00}},
        {3, 8, 0, {0x80, 0xE2, 0x00}},
        {3, 9, 0, {0x80, 0x00, 0x00}},
        // DPI.
        {5, 1, 0, {0x40, 0x02, 0x00}},
        {5, 2, 0, {0x40, 0x03, 0x00}},
        {5, 3, 0, {0x40, 0x01, 0x00}},
        {5, 4, 0, {0x40, 0x00, 0x00}},
        // Special functions 1 and 2.
        {6, 1, 0, {0x60, 0x04, 0x00}},
        {6, 2, 0, {0x60, 0x01, 0x00}},
        // Parameterised: A and B as low bytes.
        {7, 5, 0, {0x30, 0x05, 0x00}},
        {7, 255, 1, {0x30, 0xFF, 0x01}},
        {7, 0x132, 0x203, {0x30, 0x32, 0x03}},
        // Shortcuts.
        {8, 1, 0, {0x80, 0x6F, 0x00}},
        {8, 2, 0, {0x80, 0x70, 0x00}},
        {8, 3, 0, {0x80, 0x92, 0x01}},
        {8, 4, 0, {0x80, 0x94, 0x01}},
        {8, 5, 0, {0x80, 0x23, 0x02}},
        {8, 6, 0, {0x80, 0x8A, 0x01}},
        {8, 7, 0, {0x70, 0x08, 0x07}},
        {8, 8, 0, {0x70, 0x08, 0x2B}},
        {8, 9, 0, {0x70, 0x01, 0x06}},
        {8, 10, 0, {0x70, 0x01, 0x19}},
        {8, 11, 0, {0x70, 0x01, 0x1B}},
        {8, 12, 0, {0x80, 0x00, 0x00}},
        // Disabled.
        {9, 1, 0, {0x60, 0x00, 0x00}},
        {9, 7, 0, {0x60, 0x00, 0x00}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Encode(c.family, c.value, c.value2), c.slot)
            << "family " << c.family << " value " << c.value;
    }
}

TEST(ButtonSlotTest, BindingsWithoutADeviceCodeKeepTheSlot) {
    for (const auto& b : {Binding(1, 6, 3), Binding(1, 6, 6), Binding(1, 6, 0), Binding(1, 0, 1),
                          Binding(1, 10, 1), Binding(1, -4, 1), Binding(1, 4, 77)}) {
        EXPECT_EQ(EncodeBinding(b, nullptr), std::nullopt) << b.macro_type << "/" << b.macro_value;
    }
}

TEST(ButtonSlotTest, MacroSlotByPlayMode) {
    const struct {
        int play_type, play_times;
        Slot slot;
    } cases[] = {
        {0, 5, {0x90, 0x23, 0x05}},   {2, 5, {0x90, 0x43, 0x00}},  {1, 1, {0x90, 0x13, 0x00}},
        {3, 9, {0x90, 0x13, 0x00}},   {0, 1, {0x90, 0x23, 0x01}},  {0, 0, {0x90, 0x03, 0x00}},
        {4, 2, {0x90, 0x23, 0x02}},   {0, -3, {0x90, 0x03, 0x00}}, {0, 255, {0x90, 0x23, 0xFF}},
        {0, 300, {0x90, 0x23, 0xFF}},  // counts beyond a byte play 255 times
        {0, 999, {0x90, 0x23, 0xFF}},
    };
    for (const auto& c : cases) {
        store::MacroEntry macro{7, "m", c.play_type, c.play_times, 1, 0};
        EXPECT_EQ(MacroSlot(3, macro), c.slot) << c.play_type << "/" << c.play_times;
        EXPECT_EQ(EncodeBinding(Binding(3, 4, 7), &macro), c.slot);
    }
}

TEST(ButtonFrameTest, NoBindingsSendsTheMouseDefaults) {
    const Bytes payload = {0x10, 0x01, 0x00, 0x10, 0x02, 0x00, 0x10, 0x04, 0x00, 0x10, 0x08, 0x00, 0x10, 0x10,
                           0x00, 0x40, 0x01, 0x00, 0,    0,    0,    0,    0,    0,    0,    0,    0};
    EXPECT_EQ(Written(BuildButtonFunctionFrame(ComposeSlotTable({}, {}))),
              Request(0x09, 0x01, 0x0F, payload, 33));
}

TEST(ButtonFrameTest, BindingsOverDefaultsInDatabaseOrder) {
    const std::vector<store::MacroEntry> macros = {{7, "m", 0, 5, 1, 0}};
    const std::vector<store::ButtonBinding> bindings = {
        Binding(2, 3, 1),        // multimedia: bytes 11..13
        Binding(1, 2, 0x04, 3),  // A with Ctrl+Shift: bytes 8..10
        Binding(8, 9, 1),        // disabled: last slot that travels
        Binding(12, 1, 1),       // composed, never sent
        Binding(21, 1, 1),       // no slot
        Binding(-1, 1, 1),       // no slot
        Binding(3, 4, 7),        // macro 7, counted 5 times
        Binding(4, 4, 99),       // macro gone: default stays
        Binding(0, 6, 4),        // special 4: no device code, default stays
        Binding(1, 2, 0x05),     // a later row for the same key wins
    };
    const SlotTable table = ComposeSlotTable(bindings, macros);
    EXPECT_EQ(table[12], (Slot{0x10, 0x01, 0x00}));
    const Bytes payload = {0x10, 0x01, 0x00, 0x70, 0x00, 0x05, 0x80, 0x83, 0x01, 0x90, 0x23, 0x05, 0x10, 0x10,
                           0x00, 0x40, 0x01, 0x00, 0,    0,    0,    0,    0,    0,    0x60, 0x00, 0x00};
    EXPECT_EQ(Written(BuildButtonFunctionFrame(table)), Request(0x09, 0x01, 0x0F, payload, 33));
}

TEST(ButtonFrameTest, OtherLayersAreIgnored) {
    store::ButtonBinding layered = Binding(0, 9, 1);
    layered.fn_layer = 1;
    const std::vector<store::ButtonBinding> bindings{layered};
    EXPECT_EQ(ComposeSlotTable(bindings, {}), DefaultSlotTable());
}

}  // namespace
}  // namespace mousedeck::protocol::test
