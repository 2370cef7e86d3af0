#include <gtest/gtest.h>

#include <vector>

#include "raw_sqlite.h"
#include "store_fixture.h"

namespace mousedeck::store::test {
namespace {

// Every field distinct, so a column read or bound in the wrong place shows.
ButtonBinding Binding(int profile, int key_code, int macro_value, int macro_value2 = 0) {
    return {.profile = profile,
            .fn_layer = 0,
            .key_code = key_code,
            .layout_value = 40 + key_code,
            .layout_desc = "layout " + std::to_string(key_code),
            .macro_type = 7,
            .macro_value = macro_value,
            .macro_value2 = macro_value2,
            .macro_value3 = 99,
            .macro_desc = "desc " + std::to_string(key_code)};
}

using BindingTest = StoreTest;

TEST_F(BindingTest, SavedBindingReadsBackFieldForField) {
    ButtonBinding binding = Binding(1, 3, 0x1234, 0x56);
    binding.key_id = db_.SaveBinding(binding);
    ASSERT_NE(binding.key_id, 0);
    EXPECT_EQ(db_.GetBinding(1, 3), binding);
    EXPECT_EQ(db_.GetBinding(2, 3), std::nullopt);
    EXPECT_EQ(db_.GetBinding(1, 4), std::nullopt);
}

TEST_F(BindingTest, SavingAgainReplacesTheButtonsRow) {
    const int first = db_.SaveBinding(Binding(1, 3, 1));
    const int second = db_.SaveBinding(Binding(1, 3, 2));
    EXPECT_GT(second, first);
    const auto bindings = db_.ListBindings(1);
    ASSERT_EQ(bindings.size(), 1u);
    EXPECT_EQ(bindings[0].macro_value, 2);
}

TEST_F(BindingTest, ABindingWithNoValueIsStoredAsNoRow) {
    struct Case {
        int macro_value;
        int macro_value2;
        bool stored;
    };
    const Case cases[] = {{0, 0, false}, {5, 0, true}, {0, 5, true}, {-1, 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.macro_value << "," << c.macro_value2);
        ASSERT_NE(db_.SaveBinding(Binding(1, 6, 9)), 0);
        const int key = db_.SaveBinding(Binding(1, 6, c.macro_value, c.macro_value2));
        EXPECT_EQ(key != 0, c.stored);
        EXPECT_EQ(db_.GetBinding(1, 6).has_value(), c.stored);
    }
}

TEST_F(BindingTest, ReadsAndUpdatesSeeLayerZeroOnly) {
    ButtonBinding upper = Binding(1, 3, 5);
    upper.fn_layer = 1;
    ASSERT_NE(db_.SaveBinding(upper), 0);
    ASSERT_NE(db_.SaveBinding(Binding(1, 4, 5)), 0);
    EXPECT_EQ(db_.GetBinding(1, 3), std::nullopt);
    EXPECT_TRUE(db_.SetBindingDescription(1, 3, "ignored"));
    EXPECT_TRUE(db_.SetBindingDescription(1, 4, "new text"));
    const auto bindings = db_.ListBindings(1);
    ASSERT_EQ(bindings.size(), 1u);
    EXPECT_EQ(bindings[0].key_code, 4);
    EXPECT_EQ(bindings[0].macro_desc, "new text");
}

TEST_F(BindingTest, ListAndDeleteArePerProfile) {
    for (int key = 1; key <= 3; ++key) {
        ASSERT_NE(db_.SaveBinding(Binding(1, key, 1)), 0);
        ASSERT_NE(db_.SaveBinding(Binding(2, key, 1)), 0);
    }
    ButtonBinding upper = Binding(1, 9, 5);
    upper.fn_layer = 1;
    ASSERT_NE(db_.SaveBinding(upper), 0);

    const auto list = db_.ListBindings(2);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].key_code, 1);
    EXPECT_EQ(list[2].key_code, 3);
    EXPECT_TRUE(db_.DeleteBindings(1));
    EXPECT_TRUE(db_.ListBindings(1).empty());
    // The profile's other layers go too.
    EXPECT_EQ(RawValue(file(), "SELECT count(*) FROM t_key_macro_data WHERE profile = 1"), "0");
    EXPECT_EQ(db_.ListBindings(2).size(), 3u);
}

}  // namespace
}  // namespace mousedeck::store::test
