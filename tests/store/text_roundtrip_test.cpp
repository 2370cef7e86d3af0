#include <gtest/gtest.h>

#include <string>

#include "store_fixture.h"

namespace mousedeck::store::test {
namespace {

// Texts that break naive handling: non-ASCII of several widths, SQL syntax
// that must stay data, an empty text and an embedded NUL.
const std::string kTexts[] = {
    "配置文件 1",
    "Профиль №2 — ünïcödé",
    "🎮 emoji 🖱️ and combining e\u0301",
    "'; DROP TABLE t_profile_data; --",
    "",
    std::string("nul\0inside", 10),
};

using TextRoundTripTest = StoreTest;

TEST_F(TextRoundTripTest, EveryTextColumnReturnsTheExactBytes) {
    for (const std::string& text : kTexts) {
        SCOPED_TRACE(text);
        const int profile = db_.AddProfile({.name = text, .app = text}, std::vector<ConfigRow>{{text, text}});
        ASSERT_NE(profile, 0);
        EXPECT_EQ(db_.GetProfileName(profile), text);
        EXPECT_EQ(db_.ListProfiles().back().app, text);
        EXPECT_EQ(db_.GetConfigValue(profile, text), text);

        ASSERT_NE(db_.SaveBinding({.profile = profile,
                                   .key_code = 1,
                                   .layout_desc = text,
                                   .macro_value = 1,
                                   .macro_desc = text}),
                  0);
        const auto binding = db_.GetBinding(profile, 1);
        ASSERT_TRUE(binding);
        EXPECT_EQ(binding->layout_desc, text);
        EXPECT_EQ(binding->macro_desc, text);

        ASSERT_NE(db_.AddLightRow({.profile = profile, .name = text, .mode = 1}), 0);
        EXPECT_EQ(db_.GetLightRow(profile, 1)->name, text);

        const int macro = db_.AddMacro(text);
        ASSERT_NE(macro, 0);
        EXPECT_EQ(db_.GetMacro(macro)->name, text);
        ASSERT_NE(db_.AddMacroRecord({.macro_id = macro, .desc = text}), 0);
        EXPECT_EQ(db_.ListMacroRecords(macro).at(0).desc, text);
    }
    EXPECT_EQ(db_.ListProfiles().size(), std::size(kTexts));
}

}  // namespace
}  // namespace mousedeck::store::test
