#include <gtest/gtest.h>

#include "macro_fixture.h"
#include "pages/buttons/function_family.h"
#include "pages/macros/macro_commands.h"

namespace mousedeck::pages::macros {
namespace {

class MacroCommandsTest : public MacroFileTest {
protected:
    void Bind(int profile, int key_code, int family, int value, const std::string& desc) {
        ASSERT_NE(db_.SaveBinding({.profile = profile,
                                   .key_code = key_code,
                                   .macro_type = family,
                                   .macro_value = value,
                                   .macro_desc = desc}),
                  0);
    }
    std::string DescriptionOf(int profile, int key_code) {
        const auto binding = db_.GetBinding(profile, key_code);
        return binding ? binding->macro_desc : "<none>";
    }
};

TEST_F(MacroCommandsTest, ListAndShowGiveShownNamesAndRecords) {
    const int first = Store(db_, {{.name = "Custom 1", .play_times = 1}, KeyA()});
    const int second = Store(db_, {{.name = "Plain", .play_type = 1, .play_times = 1}, {}});

    const std::vector<MacroSummary> list = ListMacroSummaries(db_, texts_);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].macro.macro_id, first);
    EXPECT_EQ(list[0].macro.name, "Custom 1");
    EXPECT_EQ(list[0].shown_name, "Macro 1");
    EXPECT_EQ(list[0].record_count, 3);
    EXPECT_EQ(list[1].macro.macro_id, second);
    EXPECT_EQ(list[1].shown_name, "Plain");
    EXPECT_EQ(list[1].record_count, 0);

    const auto details = ShowMacro(db_, first, texts_);
    ASSERT_TRUE(details.has_value());
    EXPECT_EQ(details->shown_name, "Macro 1");
    ASSERT_EQ(details->records.size(), 3u);
    EXPECT_EQ(details->records[1].desc, "120 ms");
    EXPECT_FALSE(ShowMacro(db_, second + 10, texts_).has_value());
}

// The current profile's buttons that play the macro follow its new name;
// other families, other macros and other profiles keep their descriptions.
TEST_F(MacroCommandsTest, RenameUpdatesTheProfilesButtonsThatPlayTheMacro) {
    namespace family = buttons::family;
    const int id = Store(db_, {{.name = "Old", .play_times = 1}, {}});
    const int other = Store(db_, {{.name = "Other", .play_times = 1}, {}});
    Bind(1, 3, family::kMacro, id, "Old");
    Bind(1, 4, family::kMacro, other, "Other");
    Bind(1, 5, family::kKeyboard, id, "A");
    Bind(2, 3, family::kMacro, id, "Old");

    EXPECT_EQ(RenameMacroAndBindings(db_, id, "New <name>", 1), MacroEditStatus::kOk);
    EXPECT_EQ(db_.GetMacro(id)->name, "New <name>");
    EXPECT_EQ(DescriptionOf(1, 3), "New <name>");
    EXPECT_EQ(DescriptionOf(1, 4), "Other");
    EXPECT_EQ(DescriptionOf(1, 5), "A");
    EXPECT_EQ(DescriptionOf(2, 3), "Old");

    EXPECT_EQ(RenameMacroAndBindings(db_, id, "", 1), MacroEditStatus::kEmptyName);
    EXPECT_EQ(db_.GetMacro(id)->name, "New <name>");
    EXPECT_EQ(DescriptionOf(1, 3), "New <name>");
    EXPECT_EQ(RenameMacroAndBindings(db_, other + 10, "X", 1), MacroEditStatus::kNoSuchMacro);
}

TEST_F(MacroCommandsTest, DeleteRemovesTheMacroAndItsRecordsButNotItsButtons) {
    const int id = Store(db_, {{.name = "Gone", .play_times = 1}, KeyA()});
    const int kept = Store(db_, {{.name = "Kept", .play_times = 1}, KeyA()});
    Bind(1, 3, buttons::family::kMacro, id, "Gone");

    EXPECT_EQ(DeleteMacroById(db_, id), MacroEditStatus::kOk);
    EXPECT_FALSE(db_.GetMacro(id).has_value());
    EXPECT_TRUE(db_.ListMacroRecords(id).empty());
    EXPECT_EQ(db_.ListMacroRecords(kept).size(), 3u);
    EXPECT_EQ(DescriptionOf(1, 3), "Gone");
    EXPECT_EQ(DeleteMacroById(db_, id), MacroEditStatus::kNoSuchMacro);
}

}  // namespace
}  // namespace mousedeck::pages::macros
