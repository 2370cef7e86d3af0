#include "shell/lang_text.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_home.h"

namespace mousedeck::shell {
namespace {

namespace fs = std::filesystem;

std::string Utf16(std::string_view utf8_ascii_or_bmp, bool big_endian) {
    // Enough of a UTF-8 decoder for the BMP test texts below.
    std::string out = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (std::size_t i = 0; i < utf8_ascii_or_bmp.size();) {
        const auto b = static_cast<unsigned char>(utf8_ascii_or_bmp[i]);
        char32_t cp = b;
        std::size_t length = 1;
        if (b >= 0xE0) {
            cp = b & 0x0F;
            length = 3;
        } else if (b >= 0xC0) {
            cp = b & 0x1F;
            length = 2;
        }
        for (std::size_t k = 1; k < length; ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(utf8_ascii_or_bmp[i + k]) & 0x3F);
        }
        i += length;
        const char high = static_cast<char>(cp >> 8);
        const char low = static_cast<char>(cp & 0xFF);
        out += big_endian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

class LangTextTest : public ::testing::Test {
protected:
    PathEnvironment Environment() const {
        PathEnvironment environment;
        environment.data_dir = app.path().string();
        environment.home = app.path().string();
        return environment;
    }
    fs::path LanguageFile(int lcid) const { return app / ("language/" + std::to_string(lcid) + ".lan"); }

    test::TempDir app;
    AppPaths paths{"Product", Environment()};
    LanguageState language;
    LanguageTexts texts{paths, language};
};

constexpr std::string_view kText = "[LAN]\r\n12=Exit\r\n15=Версия прошивки\r\n16=固件\r\n";

TEST_F(LangTextTest, EveryFileEncodingReadsTheSameTexts) {
    language.SetCurrent(1049);
    const struct {
        const char* name;
        std::string bytes;
    } encodings[] = {
        {"UTF-8", std::string(kText)},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + std::string(kText)},
        {"UTF-16LE with BOM", Utf16(kText, false)},
        {"UTF-16BE with BOM", Utf16(kText, true)},
    };
    for (const auto& encoding : encodings) {
        test::WriteFile(LanguageFile(1049), encoding.bytes);
        EXPECT_EQ(texts.LangText(12), "Exit") << encoding.name;
        EXPECT_EQ(texts.LangText(15), "Версия прошивки") << encoding.name;
        EXPECT_EQ(texts.LangText(16), "固件") << encoding.name;
    }
}

TEST_F(LangTextTest, LookupRules) {
    language.SetCurrent(1033);
    test::WriteFile(LanguageFile(1033),
                    "7=outside the section\n[Other]\n8=other section\n[lan]\n1=first\n1=second\n"
                    "012=leading zero\n20=\n-3=negative\n");
    const struct {
        int number;
        std::string text;
    } cases[] = {
        {1, "first"}, {7, ""}, {8, ""}, {12, ""}, {20, ""}, {-3, "negative"}, {99, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(texts.LangText(c.number), c.text) << c.number;
    }
}

TEST_F(LangTextTest, MissingFileOrLanguageGivesEmptyTexts) {
    EXPECT_EQ(language.Current(), 2052) << "the language before anything sets one";
    EXPECT_EQ(texts.LangText(12), "");
    test::WriteFile(LanguageFile(2052), "no section at all\n");
    EXPECT_EQ(texts.LangText(12), "");
}

TEST_F(LangTextTest, LongTextsAreCutTo259CharactersWhole) {
    language.SetCurrent(1033);
    std::string cyrillic, mixed;
    for (int i = 0; i < 300; ++i) {
        cyrillic += "ж";                    // 2 bytes
        mixed += (i % 2 == 0) ? "😀" : "a";  // 4 bytes, then 1
    }
    const std::string ascii(259, 'x');
    test::WriteFile(LanguageFile(1033),
                    "[LAN]\n1=" + cyrillic + "\n2=" + mixed + "\n3=" + ascii + "\n4=" + ascii + "yz\n");
    EXPECT_EQ(texts.LangText(1), cyrillic.substr(0, 259 * 2));
    EXPECT_EQ(texts.LangText(2), mixed.substr(0, 130 * 4 + 129));
    EXPECT_EQ(texts.LangText(3), ascii);
    EXPECT_EQ(texts.LangText(4), ascii);
}

TEST_F(LangTextTest, ChangedFileIsSeenAtOnce) {
    language.SetCurrent(1033);
    const fs::path file = LanguageFile(1033);
    test::WriteFile(file, "[LAN]\n12=Old\n");
    EXPECT_EQ(texts.LangText(12), "Old");
    test::WriteFile(file, "[LAN]\n12=New\n");  // in place, same size, same timestamp tick
    EXPECT_EQ(texts.LangText(12), "New");
    test::WriteFile(file.string() + ".tmp", "[LAN]\n12=Renamed over\n");
    fs::rename(file.string() + ".tmp", file);
    EXPECT_EQ(texts.LangText(12), "Renamed over");
    fs::remove(file);
    EXPECT_EQ(texts.LangText(12), "");
    test::WriteFile(file, "[LAN]\n12=Back\n");
    EXPECT_EQ(texts.LangText(12), "Back");
}

TEST_F(LangTextTest, LanguageSwitchReadsTheOtherFile) {
    test::WriteFile(LanguageFile(1033), "[LAN]\n12=Exit\n");
    test::WriteFile(LanguageFile(2052), "[LAN]\n12=退出\n");
    language.SetCurrent(1033);
    EXPECT_EQ(texts.LangText(12), "Exit");
    language.SetCurrent(2052);
    EXPECT_EQ(texts.LangText(12), "退出");
    language.SetCurrent(1033);
    EXPECT_EQ(texts.LangText(12), "Exit");
}

TEST_F(LangTextTest, UnchangedOldFileIsParsedOnce) {
    const LanguageTexts trusting(paths, language, std::chrono::nanoseconds(0));
    language.SetCurrent(1033);
    test::WriteFile(LanguageFile(1033), "[LAN]\n1=a\n2=b\n");
    EXPECT_EQ(trusting.LangText(1), "a");
    EXPECT_EQ(trusting.LangText(2), "b");
    EXPECT_EQ(trusting.LangText(3), "");
    EXPECT_EQ(trusting.FilesRead(), 1u);

    test::WriteFile(LanguageFile(1033), "[LAN]\n1=longer a\n");
    EXPECT_EQ(trusting.LangText(1), "longer a");
    EXPECT_EQ(trusting.FilesRead(), 2u);
}

TEST_F(LangTextTest, RecentlyChangedFileIsReadOnEveryCall) {
    language.SetCurrent(1033);
    test::WriteFile(LanguageFile(1033), "[LAN]\n1=a\n");
    EXPECT_EQ(texts.LangText(1), "a");
    EXPECT_EQ(texts.LangText(1), "a");
    EXPECT_EQ(texts.FilesRead(), 2u);
}

}  // namespace
}  // namespace mousedeck::shell
