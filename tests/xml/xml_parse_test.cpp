#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "xml/xml_document.h"
#include "xml/xml_parser.h"
#include "xml_test_helpers.h"

namespace mousedeck::xml {
namespace {

struct ParseCase {
    const char* label;
    std::string text;
    bool well_formed;
    const char* condition;  // expected in the log; nullptr for none
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.label;
}

class ParseTextTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTextTest, ReportsWellFormedness) {
    const ParseCase& c = GetParam();
    XmlDocument doc;
    EXPECT_EQ(doc.ResetText(c.text), c.well_formed);
    if (c.condition != nullptr) {
        EXPECT_TRUE(doc.HasResult(c.condition)) << testing::PrintToString(doc.ResultLog());
    }
    if (c.well_formed) {
        EXPECT_TRUE(doc.ResultLog().empty()) << testing::PrintToString(doc.ResultLog());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseTextTest,
    ::testing::Values(
        ParseCase{"Empty", "", false, "no_root_element"},
        ParseCase{"DeclarationOnly", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n", false,
                  "no_root_element"},
        ParseCase{"CommentOnly", "<!-- <a/> -->", false, "no_root_element"},
        ParseCase{"SingleRoot", "<a/>", true, nullptr},
        ParseCase{"Prolog",
                  "<?xml version=\"1.0\"?>\n<!-- c -->\n<?pi x?>\n<a x='1' y = \"2\">t</a >\n<!-- e -->\n",
                  true, nullptr},
        ParseCase{"DoctypeWithSubset",
                  "<!DOCTYPE a [<!ENTITY e \"]>\"> <!-- ]> --> <!ELEMENT a ANY>]><a>&e;</a>", true, nullptr},
        ParseCase{"MarkupInsideCdataCommentAndPi", "<a><![CDATA[</a><b>]]><!-- </a> --><?p </a>?></a>", true,
                  nullptr},
        ParseCase{"TwoRoots", "<a/><b/>", false, "root_has_sibling"},
        ParseCase{"UnendedStartTag", "<a><b></b>", false, "unended_start_tag"},
        ParseCase{"EndTagOfOuterElement", "<a><b></a>", false, "unended_start_tag"},
        ParseCase{"LoneEndTag", "<a></b></a>", false, "lone_end_tag"},
        ParseCase{"OnlyEndTag", "</a>", false, "lone_end_tag"},
        ParseCase{"UnterminatedStartTag", "<a", false, "unterminated_tag_syntax"},
        ParseCase{"UnterminatedValue", "<a x=\"1>", false, "unterminated_tag_syntax"},
        ParseCase{"UnterminatedEndTag", "<a></a", false, "unterminated_tag_syntax"},
        ParseCase{"UnquotedValue", "<a x=1/>", false, "attribute_syntax"},
        ParseCase{"AttributesNotSeparated", "<a x=\"1\"y=\"2\"/>", false, "attribute_syntax"},
        ParseCase{"LessThanInValue", "<a x=\"<\"/>", false, "attribute_syntax"},
        ParseCase{"StrayLessThan", "<a>< b</a>", false, "tag_syntax"},
        ParseCase{"EndTagWithAttribute", "<a></a x>", false, "end_tag_syntax"},
        ParseCase{"UnterminatedComment", "<a><!-- x", false, "unterminated_comment"},
        ParseCase{"UnterminatedCdata", "<a><![CDATA[ x", false, "unterminated_cdata"},
        ParseCase{"UnterminatedPi", "<a><? x", false, "unterminated_pi"},
        ParseCase{"UnterminatedDoctype", "<!DOCTYPE a [<!ELEMENT a ANY>", false, "unterminated_doctype"}),
    [](const auto& param) { return std::string(param.param.label); });

std::string Nested(std::size_t depth) {
    std::string text;
    for (std::size_t i = 0; i < depth; ++i) {
        text += "<e>";
    }
    for (std::size_t i = 0; i < depth; ++i) {
        text += "</e>";
    }
    return text;
}

TEST(ParseLimitsTest, NestingDepthIsBounded) {
    XmlDocument doc;
    EXPECT_TRUE(doc.ResetText(Nested(kMaxNestingDepth)));
    std::size_t depth = 0;
    while (doc.FindNext("e") && doc.EnterElement()) {
        ++depth;
    }
    EXPECT_EQ(depth, kMaxNestingDepth);

    EXPECT_FALSE(doc.ResetText(Nested(kMaxNestingDepth + 1)));
    EXPECT_TRUE(doc.HasResult("nesting_too_deep"));
    // Far deeper input is refused the same way, without recursion.
    EXPECT_FALSE(doc.ResetText(Nested(200000)));
    EXPECT_TRUE(doc.HasResult("nesting_too_deep"));
}

TEST(ParseLimitsTest, OversizedTextIsNotIndexed) {
    XmlDocument doc;
    std::string text = "<a>" + std::string(kMaxTextSize, ' ') + "</a>";
    EXPECT_FALSE(doc.ResetText(text));
    EXPECT_TRUE(doc.HasResult("text_too_large"));
    EXPECT_FALSE(doc.FindNext("a"));
}

// Readers that go on after a failed parse still find what was readable.
TEST(IllFormedIndexTest, KeepsWhatWasRead) {
    struct Case {
        const char* text;
        const char* tree;
    };
    const Case cases[] = {
        // <y> is never ended: it runs to the end tag of its parent.
        {"<c><x id=\"1\"/><y id=\"2\"><z id=\"3\"/></c>", "c\n.x id=1\n.y id=2\n..z id=3\n"},
        // A stray end tag is ignored.
        {"<c><x id=\"1\"></q></x><y id=\"2\"/></c>", "c\n.x id=1\n.y id=2\n"},
        // A second root is still indexed.
        {"<a id=\"1\"/><b id=\"2\"/>", "a id=1\nb id=2\n"},
        // Everything open at the end is closed there.
        {"<a><b id=\"1\">", "a\n.b id=1\n"},
        // An unreadable tag ends the parse; what came before stays.
        {"<a><b id=\"1\"/><c id=\"2", "a\n.b id=1\n"},
    };
    for (const auto& c : cases) {
        XmlDocument doc;
        EXPECT_FALSE(doc.ResetText(c.text));
        EXPECT_EQ(WalkTree(doc), c.tree) << c.text;
    }
}

}  // namespace
}  // namespace mousedeck::xml
