#include "shell/language_choice.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/temp_home.h"

namespace mousedeck::shell {
namespace {

std::vector<int> Lcids(const LanguageChoice& choice) {
    std::vector<int> lcids;
    for (const LanguageName& entry : choice.entries) {
        lcids.push_back(entry.lcid);
    }
    return lcids;
}

TEST(LanguageChoiceTest, OffersListedNamesInTableOrder) {
    const struct {
        std::vector<int> languages;
        int current;
        std::vector<int> offered;
        int selected;
    } cases[] = {
        {{1028, 1033, 1041, 1042, 1049, 1058, 2052}, 1033, {2052, 1033, 1028, 1041, 1042, 1058, 1049}, 1},
        {{1033, 1049}, 1049, {1033, 1049}, 1},
        {{1049}, 1049, {1049}, 0},
        {{1033, 1031, 3082}, 1031, {1033}, -1},  // listed, but no name to offer
        {{}, 2052, {}, -1},
    };
    for (const auto& c : cases) {
        const LanguageChoice choice = FillLanguageChoice(c.languages, c.current);
        EXPECT_EQ(Lcids(choice), c.offered);
        EXPECT_EQ(choice.selected, c.selected);
    }
    const LanguageChoice all = FillLanguageChoice(std::vector<int>{2052, 1049}, 2052);
    ASSERT_EQ(all.entries.size(), 2u);
    EXPECT_EQ(all.entries[0].name, "简体中文");
    EXPECT_EQ(all.entries[1].name, "Русский");
}

class RecordingObserver : public LanguageObserver {
public:
    void ShowTextsInLanguage(int lcid) override { shown.push_back(lcid); }
    std::vector<int> shown;
};

TEST(LanguageChoiceTest, ChosenLanguageBecomesCurrentStoredAndShown) {
    test::TempDir root;
    SettingsFile settings(root / "settings.ini");
    settings.ReadLanguageSetting();  // creates the file
    LanguageState language;
    RecordingObserver observer;

    OnLanguageChosen(1042, language, settings, observer);
    EXPECT_EQ(language.Current(), 1042);
    EXPECT_EQ(settings.ReadLanguageSetting(), 1042);
    EXPECT_EQ(observer.shown, std::vector<int>{1042});

    LanguageObserver silent;  // the defaults do nothing
    OnLanguageChosen(1049, language, settings, silent);
    EXPECT_EQ(settings.ReadLanguageSetting(), 1049);
}

}  // namespace
}  // namespace mousedeck::shell
