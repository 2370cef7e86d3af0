#include "xml/xml_escape.h"

#include <gtest/gtest.h>

namespace mousedeck::xml {
namespace {

TEST(XmlEscapeTest, AttributesEscapeFiveCharactersTextOnlyThree) {
    EXPECT_EQ(EscapeAttribute("a<b & c>d 'e' \"f\""), "a&lt;b &amp; c&gt;d &apos;e&apos; &quot;f&quot;");
    EXPECT_EQ(EscapeText("a<b & c>d 'e' \"f\""), "a&lt;b &amp; c&gt;d 'e' \"f\"");
    EXPECT_EQ(EscapeAttribute("&amp;"), "&amp;amp;");  // already escaped text is escaped again
    EXPECT_EQ(EscapeAttribute("\xE4\xB8\xAD"), "\xE4\xB8\xAD");
}

TEST(XmlEscapeTest, UnescapeDecodesReferencesAndKeepsWhatIsNotOne) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"&lt;&gt;&amp;&apos;&quot;", "<>&'\""},
        {"&#65;&#x41;&#x4e2d;&#x1F600;", "AA\xE4\xB8\xAD\xF0\x9F\x98\x80"},
        {"&&lt;", "&<"},
        {"&amp;lt;", "&lt;"},  // one level only
        // Kept as written: no such character, malformed, or unterminated.
        {"&#0;", "&#0;"},
        {"&#xD800;", "&#xD800;"},
        {"&#x110000;", "&#x110000;"},
        {"&#99999999999;", "&#99999999999;"},
        {"&#X41;", "&#X41;"},
        {"&#;&#x;&#1a;", "&#;&#x;&#1a;"},
        {"&bogus;", "&bogus;"},
        {"&amp", "&amp"},
        {"a & b", "a & b"},
        {"&", "&"},
        {"tail&lt", "tail&lt"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Unescape(c.in), c.out) << c.in;
    }
}

TEST(XmlEscapeTest, UnescapeReversesBothEscapes) {
    for (const char* s :
         {"", "plain", "<&>'\"", "&amp;&#65;", "Copy \"all\" & <paste>", "\xC3\xA9&\xE2\x82\xAC"}) {
        EXPECT_EQ(Unescape(EscapeAttribute(s)), s);
        EXPECT_EQ(Unescape(EscapeText(s)), s);
    }
}

}  // namespace
}  // namespace mousedeck::xml
