#include "devices/language_list.h"

#include <gtest/gtest.h>

#include "support/temp_home.h"
#include "xml/xml_document.h"

namespace mousedeck::devices {
namespace {

LanguageList Read(const std::string& text) {
    xml::XmlDocument document;
    EXPECT_TRUE(document.ResetText(text));
    return ReadLanguageList(document);
}

TEST(LanguageListTest, ReadsLanguagesSortedOnceAndTheCaption) {
    const LanguageList list =
        Read(R"(<config><language.info default_lan="2052"><lan value="1033"/><lan value="2052"/><lan value="1033"/>)"
             R"(<lan value="x"/></language.info><device/><software caption="Line"/></config>)");
    EXPECT_EQ(list.default_language, 2052);
    EXPECT_EQ(list.languages, (std::vector<int>{0, 1033, 2052}));
    EXPECT_EQ(list.device_name, "Line");
}

TEST(LanguageListTest, SoftwareBeforeTheLanguagesIsNotFound) {
    const LanguageList list =
        Read(R"(<config><software caption="Line"/><language.info default_lan="1033"><lan value="1033"/></language.info></config>)");
    EXPECT_EQ(list.languages, std::vector<int>{1033});
    EXPECT_EQ(list.device_name, "");
}

TEST(LanguageListTest, MissingFileGivesAnEmptyList) {
    test::TempDir dir;
    const LanguageList list = LoadLanguageList({dir.path().string(), ""});
    EXPECT_EQ(list.default_language, 0);
    EXPECT_TRUE(list.languages.empty());
    EXPECT_TRUE(list.device_name.empty());
}

}  // namespace
}  // namespace mousedeck::devices
