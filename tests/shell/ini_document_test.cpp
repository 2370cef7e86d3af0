#include "shell/ini_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace mousedeck::shell {
namespace {

constexpr std::string_view kFile =
    "top=level\r\n"
    "; a comment=not a key\n"
    "[LAN]\n"
    "  1 =  One  \n"
    "2=\"  quoted  \"\n"
    "3='single'\n"
    "4=\"unbalanced\n"
    "bare\n"
    "1=second one loses\n"
    "Mixed=Case\r"
    "[other]\n"
    "5=five\n"
    "[lan]\n"
    "6=in a repeated section\n";

TEST(IniDocumentTest, LookupFollowsPrivateProfileRules) {
    const IniDocument document(kFile);
    struct Case {
        std::string section, key;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"", "top", "level"},
        {"LAN", "1", "One"},         // blanks trimmed, first key wins
        {"lan", "1", "One"},         // section without regard to case
        {"LAN", "2", "  quoted  "},  // one pair of quotes removed
        {"LAN", "3", "single"},
        {"LAN", "4", "\"unbalanced"},
        {"LAN", "bare", ""},       // a line without "=" is an empty value
        {"LAN", "MIXED", "Case"},  // key without regard to case; CR ends a line
        {"other", "5", "five"},
        {"LAN", "6", std::nullopt},  // only the first [LAN] is searched
        {"LAN", "; a comment", std::nullopt},
        {"", "; a comment", std::nullopt},
        {"LAN", "7", std::nullopt},
        {"missing", "1", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto found = document.Find(c.section, c.key);
        EXPECT_EQ(found ? std::optional<std::string>(std::string(*found)) : std::nullopt, c.value)
            << "[" << c.section << "] " << c.key;
    }
}

TEST(IniDocumentTest, SetEditsInPlaceAndKeepsTheRest) {
    IniDocument document("; settings\nLCID=2052\nexit_mode=1\n\n[extra]\nkept=yes\n");
    ASSERT_TRUE(document.Set("", "lcid", "1033"));
    ASSERT_TRUE(document.Set("", "DeviceType", "101"));
    ASSERT_TRUE(document.Set("extra", "new", "v"));
    ASSERT_TRUE(document.Set("fresh", "k", "1"));
    EXPECT_EQ(
        document.Text(),
        "; settings\nLCID=1033\nexit_mode=1\nDeviceType=101\n\n[extra]\nkept=yes\nnew=v\n\n[fresh]\nk=1\n");
}

TEST(IniDocumentTest, SetIntoEmptyTextAndBeforeFirstSection) {
    IniDocument empty("");
    ASSERT_TRUE(empty.Set("", "LCID", "1042"));
    EXPECT_EQ(empty.Text(), "LCID=1042\n");

    IniDocument sectioned("[s]\na=1\n");
    ASSERT_TRUE(sectioned.Set("", "LCID", "1042"));
    EXPECT_EQ(sectioned.Text(), "LCID=1042\n[s]\na=1\n");
    EXPECT_EQ(sectioned.Find("s", "a"), "1");
}

TEST(IniDocumentTest, ValuesReadBackExactly) {
    for (const std::string value :
         {"", "plain", "  padded  ", "\"quoted\"", "'q'", "a=b", "[x]", "; not comment"}) {
        IniDocument document;
        ASSERT_TRUE(document.Set("", "key", value)) << value;
        const IniDocument reread(document.Text());
        EXPECT_EQ(reread.Find("", "key"), value) << document.Text();
    }
}

TEST(IniDocumentTest, SetRefusesWhatWouldPlantOtherKeys) {
    IniDocument document("a=1\n");
    const struct {
        std::string section, key, value;
    } refused[] = {
        {"", "a", "1\nLCID=0"}, {"", "a", "1\rb=2"}, {"", "a", std::string("x\0y", 3)},
        {"", "a=b", "1"},       {"", "", "1"},       {"", "[s]", "1"},
        {"", ";c", "1"},        {"s]x", "a", "1"},   {"s\n", "a", "1"},
    };
    for (const auto& r : refused) {
        EXPECT_FALSE(document.Set(r.section, r.key, r.value)) << r.key << "=" << r.value;
    }
    EXPECT_EQ(document.Text(), "a=1\n");
}

}  // namespace
}  // namespace mousedeck::shell
