#include "shell/lenient_number.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace mousedeck::shell {
namespace {

struct IntCase {
    std::string text;
    int expected;
};

TEST(LenientNumberTest, DecimalReadsLeadingDigitsOnly) {
    const IntCase cases[] = {
        {"", 0},
        {"yes", 0},
        {"01", 1},
        {"  42", 42},
        {"\t7", 7},
        {"12abc", 12},
        {"-5", -5},
        {"+8", 8},
        {"- 5", 0},
        {"3.9", 3},
        {"1 2", 1},
        {"0x10", 0},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999999", INT_MIN},
    };
    for (const IntCase& c : cases) {
        EXPECT_EQ(ParseLenientInt(c.text), c.expected) << '"' << c.text << '"';
    }
}

struct HexCase {
    std::string text;
    uint32_t expected;
};

TEST(LenientNumberTest, HexadecimalWithOrWithoutPrefix) {
    const HexCase cases[] = {
        {"5A0", 0x5A0},
        {"5a0", 0x5A0},
        {"0x1209", 0x1209},
        {"0X1209", 0x1209},
        {" 1209", 0x1209},
        {"", 0},
        {"zz", 0},
        {"0x", 0},
        {"0xg", 0},
        {"12G4", 0x12},
        {"FFFFFFFF", 0xFFFFFFFF},
        {"1FFFFFFFF", 0xFFFFFFFF},
    };
    for (const HexCase& c : cases) {
        EXPECT_EQ(ParseLenientHex(c.text), c.expected) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace mousedeck::shell
