#include "shell/language_list.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "shell/app_paths.h"
#include "shell/lang_text.h"
#include "shell/settings_file.h"
#include "shell/startup_language.h"
#include "support/temp_home.h"

namespace mousedeck::shell {
namespace {

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

TEST(LanguageListTest, ReadsLanguagesAndDeviceNameInFileOrder) {
    struct Case {
        const char* what;
        std::string body;
        std::optional<int> default_language;
        std::vector<int> languages;
        std::string device_name;
    };
    const Case cases[] = {
        {"languages, then the catalogue, then software",
         "<config><language.info default_lan=\"1033\"><lan value=\"2052\"/><lan value=\"1033\"/>"
         "<lan value=\"1042\"/></language.info><device><mouse name=\"M\"/></device>"
         "<software caption=\"Kestrel &amp; Co\" version=\"1.0\"/></config>",
         1033,
         {1033, 1042, 2052},
         "Kestrel & Co"},
        {"catalogue before the languages",
         "<config><device/><language.info default_lan=\"2052\"><lan value=\"2052\"/></language.info>"
         "<software caption=\"Line\"/></config>",
         2052,
         {2052},
         "Line"},
        {"repeated, unsorted and digit-less values",
         "<config><language.info><lan value=\"1049\"/><lan value=\" 01033x\"/><lan value=\"1049\"/>"
         "<lan/></language.info><software caption=\"L\"/></config>",
         0,
         {0, 1033, 1049},
         "L"},
        {"no language.info",
         "<config><software caption=\"Only Name\"/></config>",
         std::nullopt,
         {},
         "Only Name"},
        {"software before language.info is not found",
         "<config><software caption=\"Early\"/><language.info default_lan=\"1033\"><lan value=\"1033\"/>"
         "</language.info></config>",
         1033,
         {1033},
         ""},
        {"lan outside language.info is ignored",
         "<config><lan value=\"1041\"/><language.info><lan value=\"1033\"/></language.info></config>",
         0,
         {1033},
         ""},
    };
    for (const Case& c : cases) {
        test::TempDir root;
        test::WriteFile(root / "config.xml", kDeclaration + c.body);
        const LanguageList list = LoadLanguageList(root / "config.xml");
        EXPECT_TRUE(list.read) << c.what;
        EXPECT_EQ(list.default_language, c.default_language) << c.what;
        EXPECT_EQ(list.languages, c.languages) << c.what;
        EXPECT_EQ(list.device_name, c.device_name) << c.what;
    }
}

TEST(LanguageListTest, MissingOrBrokenFileGivesAnEmptyList) {
    test::TempDir root;
    const struct {
        const char* what;
        const char* contents;  // nullptr: no file
    } cases[] = {
        {"missing", nullptr},
        {"not well-formed", "<config><language.info default_lan=\"1033\">"},
        {"another root", "<settings><software caption=\"X\"/></settings>"},
        {"empty", ""},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(root / "config.xml");
        if (c.contents != nullptr) {
            test::WriteFile(root / "config.xml", c.contents);
        }
        const LanguageList list = LoadLanguageList(root / "config.xml");
        EXPECT_FALSE(list.read) << c.what;
        EXPECT_TRUE(list.languages.empty()) << c.what;
        EXPECT_EQ(list.device_name, "") << c.what;
        EXPECT_FALSE(list.Contains(1033)) << c.what;
    }
}

// Start-up as the entry runs it, on the product data shipped beside the
// executable: every listed language has a file with texts.
TEST(LanguageListTest, ShippedDataStartsInAListedLanguageWithTexts) {
    const AppPaths probe = AppPaths::FromProcess("");
    const LanguageList list = LoadLanguageList(probe.CatalogueFile());
    ASSERT_TRUE(list.read) << probe.CatalogueFile();
    ASSERT_FALSE(list.device_name.empty());
    ASSERT_TRUE(list.Contains(1033));

    const AppPaths paths = AppPaths::FromProcess(list.device_name);
    SettingsFile settings(paths.SettingsFile());
    LanguageState language;
    language.SetCurrent(list.default_language.value_or(kInitialLanguage));
    const int chosen = ChooseStartupLanguage(language, settings, list.languages, 1042);
    EXPECT_TRUE(list.Contains(chosen));
    EXPECT_EQ(settings.ReadLanguageSetting(), chosen);

    const LanguageTexts texts(paths, language);
    for (const int lcid : list.languages) {
        language.SetCurrent(lcid);
        EXPECT_FALSE(texts.LangText(12).empty()) << "exit text of " << lcid;
    }
}

}  // namespace
}  // namespace mousedeck::shell
