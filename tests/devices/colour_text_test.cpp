#include "devices/colour_text.h"

#include <gtest/gtest.h>

#include <string>

namespace mousedeck::devices {
namespace {

struct ColourCase {
    std::string text;
    uint32_t expected;  // 0x00BBGGRR
};

class ColourTextTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourTextTest, ConvertsToBgrLayout) {
    EXPECT_EQ(ParseColourText(GetParam().text), GetParam().expected) << "text \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    EveryLength, ColourTextTest,
    ::testing::Values(
        // Six digits: red, green, blue pairs, stored as 0x00BBGGRR.
        ColourCase{"#FF8000", 0x0080FF}, ColourCase{"#00FF00", 0x00FF00}, ColourCase{"#0000FF", 0xFF0000},
        ColourCase{"#FF0000", 0x0000FF}, ColourCase{"#a020f0", 0xF020A0}, ColourCase{"#123456", 0x563412},
        // Shorter remainders: 5 -> one-digit blue, 4 -> no blue, 3 -> one-digit green, 2 -> red only.
        ColourCase{"#12345", 0x053412}, ColourCase{"#1234", 0x003412}, ColourCase{"#123", 0x000312},
        ColourCase{"#12", 0x000012},
        // Any other length is black.
        ColourCase{"", 0}, ColourCase{"#", 0}, ColourCase{"#1", 0}, ColourCase{"#1234567", 0},
        ColourCase{"#FFFFFFFF", 0},
        // The first character is skipped whatever it is.
        ColourCase{"xFF8000", 0x0080FF}, ColourCase{"FF8000", 0x0000F8},
        // A group stops at its first non-hex character.
        ColourCase{"#G0FF00", 0x00FF00}, ColourCase{"#1GFF00", 0x00FF01}, ColourCase{"#zzzzzz", 0},
        // A non-ASCII first character is one character, not several bytes.
        ColourCase{"\xE2\x80\xA2"
                   "FF8000",
                   0x0080FF}));

}  // namespace
}  // namespace mousedeck::devices
