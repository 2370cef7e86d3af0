#include "xml/text_encoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

#include "xml_test_helpers.h"

using namespace std::string_literals;

namespace mousedeck::xml {
namespace {

bool Has(const DecodedText& decoded, const std::string& condition) {
    return std::any_of(decoded.conditions.begin(), decoded.conditions.end(), [&](const std::string& c) {
        return c == condition || c.rfind(condition + " ", 0) == 0;
    });
}

struct DecodeCase {
    const char* label;
    std::string bytes;
    std::string text;
    std::string encoding;
    bool bom;
    std::vector<std::string> conditions;  // must be present
    std::vector<std::string> absent;      // must not be present
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
    *os << c.label;
}

class DecodeTextTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTextTest, DecodesToUtf8) {
    const DecodeCase& c = GetParam();
    const DecodedText decoded = DecodeText(c.bytes);
    EXPECT_EQ(decoded.text, c.text);
    EXPECT_TRUE(SameEncoding(decoded.encoding, c.encoding)) << decoded.encoding;
    EXPECT_EQ(decoded.byte_order_mark, c.bom);
    for (const auto& condition : c.conditions) {
        EXPECT_TRUE(Has(decoded, condition)) << condition;
    }
    for (const auto& condition : c.absent) {
        EXPECT_FALSE(Has(decoded, condition)) << condition;
    }
}

const std::string kDoc = "<a>\xC3\xA9\xE4\xB8\xAD</a>";  // <a>é中</a>

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeTextTest,
    ::testing::Values(
        DecodeCase{"Utf8Mark", "\xEF\xBB\xBF" + kDoc, kDoc, "UTF-8", true, {}, {"utf8_detection"}},
        DecodeCase{"Utf16LeMark",
                   "\xFF\xFE" + Utf16(u"<a>\u00E9\u4E2D</a>", false),
                   kDoc,
                   "UTF-16LE",
                   true,
                   {"converted_from"},
                   {"endian_swap"}},
        DecodeCase{"Utf16BeMark",
                   "\xFE\xFF" + Utf16(u"<a>\u00E9\u4E2D</a>", true),
                   kDoc,
                   "UTF-16BE",
                   true,
                   {"endian_swap"},
                   {}},
        DecodeCase{"Utf16SurrogatePair",
                   "\xFF\xFE" + Utf16(u"<a>\U0001F600</a>", false),
                   "<a>\xF0\x9F\x98\x80</a>",
                   "UTF-16LE",
                   true,
                   {},
                   {"invalid_sequence"}},
        DecodeCase{"Utf16LoneSurrogate",
                   "\xFF\xFE" + Utf16(u"<a>", false) + "\x00\xD8"s + Utf16(u"</a>", false),
                   "<a>\xEF\xBF\xBD</a>",
                   "UTF-16LE",
                   true,
                   {"invalid_sequence"},
                   {}},
        DecodeCase{"Utf16ZeroUnitRemoved",
                   "\xFF\xFE" + Utf16(u"<a>x", false) + "\0\0"s + Utf16(u"y</a>", false),
                   "<a>xy</a>",
                   "UTF-16LE",
                   true,
                   {"nulls_removed"},
                   {}},
        DecodeCase{"Utf16OddLength",
                   "\xFF\xFE" + Utf16(u"<a/>", false) + "<",
                   "<a/>",
                   "UTF-16LE",
                   true,
                   {"truncation_error"},
                   {}},
        DecodeCase{"Utf16CutSurrogatePair",
                   "\xFF\xFE" + Utf16(u"<a/>", false) + "\x3D\xD8",
                   "<a/>\xEF\xBF\xBD",
                   "UTF-16LE",
                   true,
                   {"truncation_error"},
                   {"invalid_sequence"}},
        DecodeCase{"DeclaredLatin1",
                   "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xE9</a>",
                   "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xC3\xA9</a>",
                   "ISO-8859-1",
                   false,
                   {"converted_from"},
                   {}},
        DecodeCase{"DeclaredGb18030",
                   "<?xml version='1.0' encoding='GB18030'?><a>\xD6\xD0</a>",
                   "<?xml version='1.0' encoding='GB18030'?><a>\xE4\xB8\xAD</a>",
                   "GB18030",
                   false,
                   {},
                   {}},
        DecodeCase{"DeclaredUtf8KeepsItsWordOverDetection",
                   "<?xml version=\"1.0\" encoding=\"utf-8\"?><a>\xE9</a>",
                   "<?xml version=\"1.0\" encoding=\"utf-8\"?><a>\xEF\xBF\xBD</a>",
                   "UTF-8",
                   false,
                   {"invalid_sequence"},
                   {}},
        DecodeCase{"DeclaredUnknownFallsBackToDetection",
                   "<?xml version=\"1.0\" encoding=\"x-no-such\"?><a>\xC3\xA9</a>",
                   "<?xml version=\"1.0\" encoding=\"x-no-such\"?><a>\xC3\xA9</a>",
                   "UTF-8",
                   false,
                   {"unknown_encoding"},
                   {}},
        // A UTF-16 declaration readable as 8-bit text cannot be true.
        DecodeCase{"DeclaredUtf16WithoutMarkIgnored",
                   "<?xml version=\"1.0\" encoding=\"UTF-16\"?><a/>",
                   "<?xml version=\"1.0\" encoding=\"UTF-16\"?><a/>",
                   "UTF-8",
                   false,
                   {},
                   {}},
        DecodeCase{"MetaCharset",
                   "<html><meta charset=\"windows-1252\"><p>\x80</p></html>",
                   "<html><meta charset=\"windows-1252\"><p>\xE2\x82\xAC</p></html>",
                   "windows-1252",
                   false,
                   {"converted_from"},
                   {}},
        DecodeCase{
            "MetaContentType",
            "<HTML><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ISO-8859-1\">\xE9",
            "<HTML><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ISO-8859-1\">\xC3\xA9",
            "ISO-8859-1",
            false,
            {},
            {}},
        DecodeCase{"MarkupWithoutDeclarationIsUtf8", kDoc, kDoc, "UTF-8", false, {}, {"utf8_detection"}},
        DecodeCase{"PlainUtf8Detected", "caf\xC3\xA9", "caf\xC3\xA9", "UTF-8", false, {"utf8_detection"}, {}},
        DecodeCase{"InvalidUtf8ReadAsWindows1252",
                   "caf\xE9 \x80",
                   "caf\xC3\xA9 \xE2\x82\xAC",
                   "WINDOWS-1252",
                   false,
                   {"converted_from"},
                   {"utf8_detection"}},
        // Undeclared markup that is not UTF-8 keeps its characters too.
        DecodeCase{"InvalidUtf8MarkupReadAsWindows1252",
                   "<a>\xE9</a>",
                   "<a>\xC3\xA9</a>",
                   "WINDOWS-1252",
                   false,
                   {},
                   {}},
        // Windows-1252 leaves 0x81 undefined; Windows maps it to U+0081.
        DecodeCase{"Windows1252UndefinedByte",
                   "x\x81\xE9",
                   "x\xC2\x81\xC3\xA9",
                   "WINDOWS-1252",
                   false,
                   {},
                   {"invalid_sequence"}},
        DecodeCase{"ZeroBytesRemoved", "<a>x\0y</a>\0"s, "<a>xy</a>", "UTF-8", false, {"nulls_removed"}, {}},
        DecodeCase{
            "MarkBehindZeroBytes", "\xEF\xBB\0\xBF<a/>"s, "<a/>", "UTF-8", true, {"nulls_removed"}, {}},
        DecodeCase{
            "ZeroBytesAfterMarkRemoved", "\xEF\xBB\xBF<a\0/>"s, "<a/>", "UTF-8", true, {"nulls_removed"}, {}},
        // A sequence cut off by the end does not turn UTF-8 into Windows-1252.
        DecodeCase{"TruncatedFinalSequence",
                   "caf\xC3\xA9 \xE4\xB8",
                   "caf\xC3\xA9 \xEF\xBF\xBD",
                   "UTF-8",
                   false,
                   {"utf8_detection", "truncation_error"},
                   {}},
        DecodeCase{"Empty", "", "", "UTF-8", false, {}, {"nulls_removed"}},
        DecodeCase{"MarkOnly", "\xFE\xFF", "", "UTF-16BE", true, {}, {}}),
    [](const auto& param) { return std::string(param.param.label); });

struct DeclarationCase {
    const char* head;
    const char* encoding;
};

TEST(DeclaredEncodingTest, FindsTheDeclarationOrMetaCharset) {
    const DeclarationCase cases[] = {
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "UTF-8"},
        {"<?xml version='1.0' encoding='utf-16'?>", "utf-16"},
        {"  <?xml version=\"1.0\"\n encoding = \"GBK\" ?>", "GBK"},
        {"<?xml version=\"1.0\" encoding=\"UTF-8", ""},       // unterminated value
        {"<?xml version=\"1.0\" myencoding=\"x\"?>", ""},     // another attribute
        {"<?xml version=\"1.0\"?><meta charset=\"x\">", ""},  // XML: meta means nothing
        {"<?xml-stylesheet href=\"a\"?><a/>", ""},
        {"<html><meta charset=utf-8>", "utf-8"},
        {"<html><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">", "Shift_JIS"},
        {"<html><metadata charset=\"x\">", ""},
        {"<html><meta name=\"x\"><meta charset='koi8-r'/>", "koi8-r"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DeclaredEncoding(c.head), c.encoding) << c.head;
    }
}

TEST(EncodeTextTest, WritesTheNamedEncoding) {
    struct Case {
        const char* encoding;
        bool bom;
        std::string bytes;
        int loss;
    };
    const std::string text = "<a>\xC3\xA9</a>";
    const Case cases[] = {
        {"", false, text, 0},
        {"utf-8", false, text, 0},
        {"UTF-8", true, "\xEF\xBB\xBF" + text, 0},
        // UTF-16 always carries its mark; no byte order named means LE.
        {"UTF-16", false, "\xFF\xFE" + Utf16(u"<a>\u00E9</a>", false), 0},
        {"UTF-16BE", true, "\xFE\xFF" + Utf16(u"<a>\u00E9</a>", true), 0},
        {"ISO-8859-1", true, "<a>\xE9</a>", 0},
        {"x-no-such", false, text, 0},
    };
    for (const auto& c : cases) {
        const EncodedText encoded = EncodeText(text, c.encoding, c.bom);
        EXPECT_EQ(encoded.bytes, c.bytes) << c.encoding;
        EXPECT_EQ(std::count(encoded.conditions.begin(), encoded.conditions.end(), "conversion_loss"), c.loss)
            << c.encoding;
    }
    EXPECT_EQ(EncodeText(text, "x-no-such", false).conditions.front(), "unknown_encoding x-no-such");
}

TEST(EncodeTextTest, UnrepresentableCharactersBecomeQuestionMarksAndAreLogged) {
    const EncodedText encoded = EncodeText("\xE2\x82\xAC=\xE4\xB8\xAD!", "ISO-8859-1", false);
    EXPECT_EQ(encoded.bytes, "?=?!");
    EXPECT_NE(std::find(encoded.conditions.begin(), encoded.conditions.end(), "conversion_loss"),
              encoded.conditions.end());
    // Ill-formed UTF-8 handed in is not passed through as it stands.
    EXPECT_EQ(EncodeText("a\xFF"
                         "b",
                         "UTF-8", false)
                  .bytes,
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(EncodeText("a\xFF"
                         "b",
                         "ISO-8859-1", false)
                  .bytes,
              "a?b");
}

TEST(EncodeTextTest, DecodingWhatWasEncodedGivesTheTextBack) {
    const std::string text = "<?xml version=\"1.0\" encoding=\"ENC\"?><a v=\"\xC3\xA9\xE2\x82\xAC\"/>";
    for (const char* encoding : {"UTF-8", "UTF-16LE", "UTF-16BE", "windows-1252"}) {
        std::string declared = text;
        declared.replace(declared.find("ENC"), 3, encoding);
        const EncodedText encoded = EncodeText(declared, encoding, false);
        EXPECT_EQ(DecodeText(encoded.bytes).text, declared) << encoding;
    }
}

}  // namespace
}  // namespace mousedeck::xml
