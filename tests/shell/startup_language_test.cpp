#include "shell/startup_language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/temp_home.h"

namespace mousedeck::shell {
namespace {

namespace fs = std::filesystem;

TEST(StartupLanguageTest, LocaleNamesMapToLcids) {
    const struct {
        std::string locale;
        int lcid;
    } cases[] = {
        {"zh_CN.UTF-8", 2052},
        {"zh_SG", 2052},
        {"zh", 2052},
        {"zh_TW.UTF-8", 1028},
        {"zh_HK", 1028},
        {"zh_MO.UTF-8", 1028},
        {"en_US.UTF-8", 1033},
        {"en_GB", 1033},
        {"ja_JP.eucJP", 1041},
        {"ko_KR.UTF-8", 1042},
        {"uk_UA", 1058},
        {"ru_RU.KOI8-R", 1049},
        {"de_DE@euro", 1031},
        {"de_AT.UTF-8@euro", 1031},
        {"fr_CA", 1036},
        {"es_ES", 3082},
        {"es_MX", 3082},
        {"it_IT", 1040},
        {"pt_BR.UTF-8", 1046},
        {"pt_PT", 2070},
        {"pl_PL", 1045},
        {"C", 1033},
        {"C.UTF-8", 1033},
        {"POSIX", 1033},
        {"", 1033},
        {"eo", 1033},
        {"xx_YY", 1033},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LcidOfLocale(c.locale), c.lcid) << c.locale;
    }
}

TEST(StartupLanguageTest, FirstSetVariableDecides) {
    const struct {
        LocaleEnvironment environment;
        int lcid;
    } cases[] = {
        {{"ko_KR.UTF-8", "ja_JP", "de_DE"}, 1042},
        {{"", "ja_JP", "de_DE"}, 1041},
        {{"", "", "de_DE"}, 1031},
        {{"", "", ""}, 1033},
        {{"C", "ja_JP", "de_DE"}, 1033},  // LC_ALL=C overrides the rest
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UserInterfaceLanguage(c.environment), c.lcid)
            << c.environment.lc_all << "|" << c.environment.lc_messages << "|" << c.environment.lang;
    }
}

TEST(StartupLanguageTest, FromProcessReadsTheEnvironment) {
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::string> saved;
    std::vector<bool> was_set;
    for (const char* name : names) {
        const char* value = std::getenv(name);
        was_set.push_back(value != nullptr);
        saved.emplace_back(value != nullptr ? value : "");
    }
    unsetenv("LC_ALL");
    setenv("LC_MESSAGES", "uk_UA.UTF-8", 1);
    setenv("LANG", "fr_FR.UTF-8", 1);
    const LocaleEnvironment environment = LocaleEnvironment::FromProcess();
    for (std::size_t i = 0; i < 3; ++i) {
        if (was_set[i]) {
            setenv(names[i], saved[i].c_str(), 1);
        } else {
            unsetenv(names[i]);
        }
    }
    EXPECT_EQ(environment.lc_all, "");
    EXPECT_EQ(environment.lc_messages, "uk_UA.UTF-8");
    EXPECT_EQ(UserInterfaceLanguage(environment), 1058);
}

class ChooseStartupLanguageTest : public ::testing::Test {
protected:
    test::TempDir root;
    fs::path file = root / "Line/settings.ini";
    SettingsFile settings{file};
    LanguageState language;
};

TEST_F(ChooseStartupLanguageTest, Cases) {
    struct Case {
        const char* what;
        const char* stored;  // settings file contents; nullptr: no file
        std::vector<int> languages;
        int user_language;
        int chosen;
        const char* stored_after;
    };
    const Case cases[] = {
        {"first start, Korean system, Korean listed", nullptr, {1033, 1042, 2052}, 1042, 1042, "LCID=1042\n"},
        {"first start, German system, German not listed", nullptr, {1033, 2052}, 1031, 1033, "LCID=1033\n"},
        {"first start, language not listed and 1033 neither", nullptr, {1049}, 1031, 1033, "LCID=1033\n"},
        {"stored language listed", "LCID=2052\n", {1033, 2052}, 1042, 2052, "LCID=2052\n"},
        {"stored language no longer listed", "LCID=1028\n", {1033, 2052}, 1028, 1033, "LCID=1033\n"},
        {"stored zero counts as no choice",
         "LCID=0\nexit_mode=1\n",
         {1033, 1049},
         1049,
         1049,
         "LCID=1049\nexit_mode=1\n"},
        {"stored text without digits", "LCID=ko\n", {1033, 1042}, 1042, 1042, "LCID=1042\n"},
        {"file without LCID", "exit_mode=1\n", {1033, 1041}, 1041, 1041, "exit_mode=1\nLCID=1041\n"},
        {"empty language list", nullptr, {}, 1042, 1033, "LCID=1033\n"},
    };
    for (const Case& c : cases) {
        fs::remove_all(file.parent_path());
        if (c.stored != nullptr) {
            test::WriteFile(file, c.stored);
        }
        language.SetCurrent(9999);
        EXPECT_EQ(ChooseStartupLanguage(language, settings, c.languages, c.user_language), c.chosen)
            << c.what;
        EXPECT_EQ(language.Current(), c.chosen) << c.what;
        EXPECT_EQ(test::ReadFile(file), c.stored_after) << c.what;
    }
}

TEST_F(ChooseStartupLanguageTest, UnreadableSettingsFallBackWithoutWriting) {
    fs::create_directories(file);  // a folder where the file should be
    const std::vector<int> with_chinese = {1033, 2052};
    EXPECT_EQ(ChooseStartupLanguage(language, settings, with_chinese, 1042), 2052);
    const std::vector<int> without_chinese = {1033, 1042};
    EXPECT_EQ(ChooseStartupLanguage(language, settings, without_chinese, 1042), 1033);
    EXPECT_TRUE(fs::is_directory(file));
}

}  // namespace
}  // namespace mousedeck::shell
