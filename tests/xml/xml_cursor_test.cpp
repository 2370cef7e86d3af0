#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "xml/xml_document.h"

namespace mousedeck::xml {
namespace {

// Every element carries an id; the steps below check where the cursor is by
// reading it.
constexpr const char* kDocument =
    "<?xml version=\"1.0\"?>\n"
    "<root id=\"r\">\n"
    "  <a id=\"a1\"><x id=\"x1\"/><y id=\"y1\"/></a>\n"
    "  <b id=\"b\"/>\n"
    "  <a id=\"a2\"><x id=\"x2\"/></a>\n"
    "</root>\n";

enum class Op { kFind, kEnter, kLeave, kReset };

struct Step {
    Op op;
    const char* name;     // for kFind
    bool result;          // what the operation returns
    const char* current;  // id of the current element afterwards ("" = none)
};

Step Find(const char* name, bool result, const char* current) {
    return {Op::kFind, name, result, current};
}
Step Enter(bool result, const char* current) {
    return {Op::kEnter, "", result, current};
}
Step Leave(bool result, const char* current) {
    return {Op::kLeave, "", result, current};
}

struct CursorCase {
    const char* label;
    std::vector<Step> steps;
};

void PrintTo(const CursorCase& c, std::ostream* os) {
    *os << c.label;
}

class CursorTest : public ::testing::TestWithParam<CursorCase> {};

TEST_P(CursorTest, FollowsTheCursorRules) {
    XmlDocument doc;
    ASSERT_TRUE(doc.ResetText(kDocument));
    int n = 0;
    for (const Step& step : GetParam().steps) {
        bool result = false;
        switch (step.op) {
            case Op::kFind:
                result = doc.FindNext(step.name);
                break;
            case Op::kEnter:
                result = doc.EnterElement();
                break;
            case Op::kLeave:
                result = doc.LeaveElement();
                break;
            case Op::kReset:
                doc.ResetPosition();
                result = true;
                break;
        }
        EXPECT_EQ(result, step.result) << "step " << n;
        EXPECT_EQ(doc.AttributeOf("id"), step.current) << "step " << n;
        ++n;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CursorTest,
    ::testing::Values(
        CursorCase{"ReadSequence",
                   {Find("root", true, "r"), Enter(true, ""), Find("a", true, "a1"), Enter(true, ""),
                    Find("x", true, "x1"), Find("y", true, "y1"), Leave(true, "a1"), Find("b", true, "b"),
                    Find("a", true, "a2"), Enter(true, ""), Find("x", true, "x2"), Leave(true, "a2"),
                    Leave(true, "r"), Leave(false, "r")}},
        // A miss leaves the cursor, so EnterElement enters the element found before.
        CursorCase{"MissLeavesCursor",
                   {Find("root", true, "r"), Enter(true, ""), Find("a", true, "a1"), Find("zzz", false, "a1"),
                    Enter(true, ""), Find("x", true, "x1")}},
        // The search only goes forward from the current element.
        CursorCase{"ForwardOnly",
                   {Find("root", true, "r"), Enter(true, ""), Find("b", true, "b"), Find("a", true, "a2"),
                    Find("b", false, "a2"), Find("a", false, "a2")}},
        // Leaving remembers the child; entering again resumes there.
        CursorCase{"LeaveRemembersChild",
                   {Find("root", true, "r"), Enter(true, ""), Find("a", true, "a1"), Enter(true, ""),
                    Find("y", true, "y1"), Leave(true, "a1"), Enter(true, "y1"), Find("x", false, "y1")}},
        // Moving to another element forgets the child of the old one.
        CursorCase{"FindForgetsChild",
                   {Find("root", true, "r"), Enter(true, ""), Find("a", true, "a1"), Enter(true, ""),
                    Find("y", true, "y1"), Leave(true, "a1"), Find("a", true, "a2"), Enter(true, ""),
                    Find("y", false, ""), Find("x", true, "x2")}},
        // Leaving with no current element: entering again starts at the first child.
        CursorCase{"LeaveWithoutCurrent",
                   {Find("root", true, "r"), Enter(true, ""), Leave(true, "r"), Enter(true, ""),
                    Find("a", true, "a1")}},
        CursorCase{"EnterWithoutCurrent",
                   {Enter(false, ""), Find("root", true, "r"), Enter(true, ""), Enter(false, ""),
                    Find("", true, "a1"), Find("", true, "b"), Find("", true, "a2"), Find("", false, "a2")}},
        CursorCase{"ResetPosition",
                   {Find("root", true, "r"),
                    Enter(true, ""),
                    Find("b", true, "b"),
                    {Op::kReset, "", true, ""},
                    Leave(false, ""),
                    Find("root", true, "r")}},
        // Names are compared whole and case-sensitively.
        CursorCase{"ExactNames", {Find("roo", false, ""), Find("ROOT", false, ""), Find("root", true, "r")}}),
    [](const auto& param) { return std::string(param.param.label); });

TEST(CursorResetTest, ParseTextResetsTheCursor) {
    XmlDocument doc;
    ASSERT_TRUE(doc.ResetText(kDocument));
    ASSERT_TRUE(doc.FindNext("root") && doc.EnterElement() && doc.FindNext("b"));
    ASSERT_TRUE(doc.ParseText());
    EXPECT_FALSE(doc.LeaveElement());
    EXPECT_TRUE(doc.FindNext("root"));
}

TEST(ElementContentTest, NameAttributesAndText) {
    XmlDocument doc;
    ASSERT_TRUE(doc.ResetText(
        "<r><t k='a&amp;b' e=\"\" x=\"&#x4e2d;\">one &lt;two&gt;<![CDATA[ <&amp;> ]]><!-- no -->3<?p no?></t>"
        "<p>text<c/></p></r>"));
    EXPECT_EQ(doc.ElementName(), "");
    EXPECT_EQ(doc.AttributeOf("k"), "");
    EXPECT_EQ(doc.TextOf(), "");
    ASSERT_TRUE(doc.FindNext("r") && doc.EnterElement() && doc.FindNext("t"));
    EXPECT_EQ(doc.ElementName(), "t");
    EXPECT_EQ(doc.AttributeOf("k"), "a&b");
    EXPECT_EQ(doc.AttributeOf("x"), "\xE4\xB8\xAD");
    EXPECT_EQ(doc.AttributeOf("e"), "");
    EXPECT_EQ(doc.AttributeOf("missing"), "");
    EXPECT_EQ(doc.AttributeOf("K"), "");
    // Entities are decoded in text, CDATA is taken as it stands, comments
    // and processing instructions are left out.
    EXPECT_EQ(doc.TextOf(), "one <two> <&amp;> 3");
    ASSERT_TRUE(doc.FindNext("p"));
    EXPECT_EQ(doc.TextOf(), "");  // has a child element
}

}  // namespace
}  // namespace mousedeck::xml
