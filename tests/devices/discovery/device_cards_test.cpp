#include "devices/discovery/device_cards.h"

#include <gtest/gtest.h>

namespace mousedeck::discovery {
namespace {

// Cards for products 101, 102 and 103 in catalogue order, with the given
// (type, mode, state) marks.
DeviceCards Cards(std::initializer_list<std::array<int, 3>> marks) {
    const std::vector<devices::CatalogueMouse> mice = {
        {"A", 101, "a", ""}, {"B", 102, "b", ""}, {"C", 103, "c", ""}};
    DeviceCards cards;
    cards.Reset(mice);
    for (const auto& [type, mode, state] : marks) {
        cards.SetState(type, mode, state);
    }
    return cards;
}

struct ChooseCase {
    const char* label;
    DeviceCards cards;
    int wanted;
    int expected;
};

class ChooseCardTest : public ::testing::TestWithParam<ChooseCase> {};

TEST_P(ChooseCardTest, PrefersTheWantedPresentCard) {
    EXPECT_EQ(ChooseCard(GetParam().cards, GetParam().wanted), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Policy, ChooseCardTest,
    ::testing::Values(
        ChooseCase{"WantedIsPresent", Cards({{101, 0, 1}, {102, 1, 1}}), 102, 102},
        ChooseCase{"WantedAbsentTakesFirstPresent", Cards({{102, 0, 1}, {103, 1, 1}}), 101, 102},
        ChooseCase{"UnknownWantedTakesFirstPresent", Cards({{103, 0, 1}}), 999, 103},
        ChooseCase{"ReceiverWithMouseUnreachableIsPresent", Cards({{101, 1, 2}}), 102, 101},
        ChooseCase{"MarkedAbsentAgain", Cards({{101, 0, 1}, {101, 0, 0}, {103, 0, 1}}), 101, 103},
        ChooseCase{"NothingPresentKeepsWanted", Cards({}), 102, 102}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(DeviceCards, MarksEveryCardOfATypeAndRefusesOtherModes) {
    const std::vector<devices::CatalogueMouse> mice = {{"A", 101, "a", ""}, {"A bis", 101, "a2", ""}};
    DeviceCards cards;
    cards.Reset(mice);
    EXPECT_TRUE(cards.SetState(101, 1, 1));
    EXPECT_EQ(cards.All()[0].state, (std::array<int, 2>{0, 1}));
    EXPECT_EQ(cards.All()[1].state, (std::array<int, 2>{0, 1}));
    EXPECT_FALSE(cards.SetState(101, 2, 1));
    EXPECT_FALSE(cards.SetState(101, -1, 1));
    EXPECT_FALSE(cards.SetState(555, 0, 1));
    EXPECT_EQ(cards.StateOf(101, 2), 0);
    EXPECT_EQ(cards.StateOf(555, 0), 0);
    cards.Reset(mice);
    EXPECT_FALSE(cards.AnyPresent());
}

}  // namespace
}  // namespace mousedeck::discovery
