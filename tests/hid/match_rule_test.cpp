#include "hid/match_rule.h"

#include <gtest/gtest.h>

#include "hid/command_frame.h"

namespace mousedeck::hid {
namespace {

struct ResolveCase {
    const char* name;
    std::vector<MatchRule> rules;
    std::string reported;
    int expected;
};

TEST(MatchRulesTest, ResolveTypeWalksRulesInOrder) {
    const std::vector<ResolveCase> cases = {
        {"empty dev_id gives the default type", {{1, 2, 7, 0, ""}}, "ABCD", kDefaultDeviceType},
        {"three-character dev_id gives the default type", {{1, 2, 7, 0, "ABC"}}, "ABC", kDefaultDeviceType},
        {"three characters in four bytes are still short", {{1, 2, 7, 0, "AB\xC3\xA9"}}, "AB\xC3\xA9",
         kDefaultDeviceType},
        {"exact four characters", {{1, 2, 7, 0, "ABCD"}}, "ABCD", 7},
        {"letter case counts", {{1, 2, 7, 0, "ABCD"}}, "abcd", 0},
        {"other pair ignored", {{1, 3, 7, 0, "ABCD"}}, "ABCD", 0},
        {"first equal id wins", {{1, 2, 7, 0, "WXYZ"}, {1, 2, 8, 0, "ABCD"}, {1, 2, 9, 0, "ABCD"}}, "ABCD", 8},
        {"short id ahead shadows the exact one", {{1, 2, 7, 0, "AB"}, {1, 2, 8, 0, "ABCD"}}, "ABCD",
         kDefaultDeviceType},
        {"no rule at all", {}, "ABCD", 0},
    };
    for (const ResolveCase& c : cases) {
        MatchRules rules;
        for (const MatchRule& r : c.rules) {
            rules.Add(r);
        }
        EXPECT_EQ(rules.ResolveType(1, 2, c.reported), c.expected) << c.name;
    }
}

TEST(MatchRulesTest, SupportAndModeComeFromTheFirstRuleOfThePair) {
    MatchRules rules;
    rules.Add({1, 2, 7, kDongleMode, "ABCD"});
    rules.Add({1, 2, 8, kWiredMode, "EFGH"});
    EXPECT_TRUE(rules.IsSupported(1, 2));
    EXPECT_FALSE(rules.IsSupported(2, 1));
    EXPECT_EQ(rules.ModeOf(1, 2), kDongleMode);
    EXPECT_EQ(rules.ModeOf(9, 9), kWiredMode);
}

TEST(DeviceIdTest, ReplyBytesBecomeCharacters) {
    const struct {
        std::array<uint8_t, 4> bytes;
        std::string expected;
    } cases[] = {
        {{'M', '1', '0', '2'}, "M102"},
        {{'A', 'B', 0, 'D'}, "AB"},  // a zero byte ends the id
        {{'A', 0x80, 'C', 0xFF}, "A\xEF\xBE\x80" "C\xEF\xBF\xBF"},  // U+FF80 and U+FFFF
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DeviceIdFromReply(c.bytes.data()), c.expected);
    }
    // A sign-extended byte never matches a catalogue letter.
    MatchRules rules;
    rules.Add({1, 2, 7, 0, "A\xC3\x80" "CD"});
    const std::array<uint8_t, 4> reported = {'A', 0xC0, 'C', 'D'};
    EXPECT_EQ(rules.ResolveType(1, 2, DeviceIdFromReply(reported.data())), 0);
}

TEST(CommandFrameTest, ChecksumCoversBytesFiveToThirtyOne) {
    struct Case {
        const char* name;
        std::vector<std::pair<size_t, uint8_t>> bytes;
        uint8_t expected;
    };
    const std::vector<Case> cases = {
        {"all zero", {}, 0x00},
        {"bytes 1-4 and 33-64 do not count", {{1, 0x10}, {2, 7}, {3, 0x01}, {4, 9}, {33, 5}, {64, 0xFF}}, 0x00},
        {"first and last covered byte", {{5, 0x01}, {31, 0x02}}, 0x03},
        {"wraps modulo 256", {{5, 0xFF}, {6, 0x02}}, 0x01},
        {"an old checksum is not summed", {{32, 0x77}, {10, 0x05}}, 0x05},
    };
    for (const Case& c : cases) {
        CommandFrame frame;
        for (auto [index, value] : c.bytes) {
            frame[index] = value;
        }
        StoreChecksum(frame);
        EXPECT_EQ(frame[CommandFrame::kChecksumIndex], c.expected) << c.name;
    }
    CommandFrame full;
    full.bytes.fill(0xFF);
    EXPECT_EQ(FrameChecksum(full.bytes), static_cast<uint8_t>(27 * 0xFF)) << "27 covered bytes";
}

}  // namespace
}  // namespace mousedeck::hid
