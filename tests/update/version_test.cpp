#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "update/version_compare.h"
#include "update/version_text.h"

namespace mousedeck::update {
namespace {

TEST(CompareVersionsTest, Table) {
    struct Case {
        const char* current;
        const char* latest;
        int expected;
    };
    const Case cases[] = {
        {"1.0.1", "1.0.2", 1},
        {"1.0.2", "1.0.1", -1},
        {"1.0.1", "1.0.1", 0},
        {"1.0", "1.0.1", 2},     // a different number of parts counts as newer
        {"1.0.1", "1.0", 2},     // whichever side is longer
        {"1.0.1", "1.0.10", 1},  // numbers, not text
        {"1.0.9", "1.0.10", 1},
        {"2.0.0", "1.9.9", -1},  // the first differing part decides
        {"105", "106", 1},
        {"105", "1.06", 2},  // a dotted server answer against a release text
        {"105", "105", 0},
        {"1.0.2", "1.0.2\n", 0},  // a trailing line break keeps the leading digits
        {"1.0.1", "1.0.2\r\n", 1},
        {"1.x", "1.0", 0},  // a part without leading digits counts as 0
        {"1.2b", "1.2", 0},
        {"1..2", "1..3", 1},  // empty parts are kept and count as 0
        {"1.", "1.0", 0},
        {"", "", 0},
        {"", "1", 1},                          // an empty text is one part, worth 0
        {"99999999999999999999999", "1", -1},  // saturates instead of wrapping
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.current) + " vs " + c.latest);
        EXPECT_EQ(CompareVersions(c.current, c.latest), c.expected);
    }
}

TEST(VersionFromAnswerTest, Table) {
    struct Case {
        const char* answer;
        std::size_t max_chars;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"1", kMaxAppVersionChars, "1"},
        {"1.0.2", kMaxAppVersionChars, "1.0.2"},
        {"1.0.2\n", kMaxAppVersionChars, "1.0.2"},  // the line break would otherwise name files
        {"1.0.2\r\n", kMaxAppVersionChars, "1.0.2"},
        {"10.20.3040", kMaxAppVersionChars, "10.20.3040"},    // 10 characters
        {"10.20.30400", kMaxAppVersionChars, std::nullopt},   // 11
        {"10.20.3040\n", kMaxAppVersionChars, "10.20.3040"},  // 10 once the break is gone
        {"<html><body>Not found</body></html>", kMaxAppVersionChars, std::nullopt},
        {"", kMaxAppVersionChars, std::nullopt},
        {"\n", kMaxAppVersionChars, std::nullopt},
        {"106", kMaxFirmwareVersionChars, "106"},
        {"123456789", kMaxFirmwareVersionChars, "123456789"},
        {"1234567890", kMaxFirmwareVersionChars, std::nullopt},  // firmware takes 9 at most
        {"1.0-beta_2", kMaxAppVersionChars, "1.0-beta_2"},
        {"../../x", kMaxAppVersionChars, std::nullopt},  // would leave the temporary folder
        {"1/2", kMaxAppVersionChars, std::nullopt},
        {"1\\2", kMaxAppVersionChars, std::nullopt},
        {"1 2", kMaxAppVersionChars, std::nullopt},
        {" 12", kMaxAppVersionChars, std::nullopt},
        {"1\n2", kMaxAppVersionChars, std::nullopt},
        {"v1.0?x=1", kMaxAppVersionChars, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.answer)));
        EXPECT_EQ(VersionFromAnswer(c.answer, c.max_chars), c.expected);
    }
}

TEST(VersionTextTest, ReleaseNumbersAndLabels) {
    struct Case {
        int release;
        const char* text;
        const char* label;
    };
    const Case cases[] = {
        {0x0105, "105", "1.05"}, {0x1234, "1234", "12.34"},  // every digit shown; the text compared is 1234
        {0x0A0B, "A0B", "A.0B"}, {0x0012, "12", "12"},      {0x0000, "0", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.release);
        EXPECT_EQ(ReleaseText(c.release), c.text);
        EXPECT_EQ(VersionLabel(ReleaseText(c.release)), c.label);
    }
    EXPECT_EQ(VersionLabel("1.06"), "1.06") << "a dotted version is shown as it is";
    EXPECT_EQ(FirmwareVersionLine("Mouse", "105"), "Mouse: v1.05");
    EXPECT_EQ(ProgressLine("Writing", 40), "Writing: 40%");
}

}  // namespace
}  // namespace mousedeck::update
