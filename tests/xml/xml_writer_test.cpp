#include <gtest/gtest.h>

#include <string>

#include "support/temp_home.h"
#include "xml/xml_document.h"
#include "xml_test_helpers.h"

namespace mousedeck::xml {
namespace {

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

// A macro file as the macro export writes it, nested group included, with
// one attribute replaced after its element's children were added.
TEST(XmlWriterTest, WritesTheFixedLayoutByteForByte) {
    XmlDocument doc;
    doc.ResetText(kDeclaration);
    ASSERT_TRUE(doc.AppendElement("macro"));
    ASSERT_TRUE(doc.SetAttribute("name", "Copy & \"paste\" <fast> 'now'"));
    ASSERT_TRUE(doc.SetAttribute("count", "2"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AppendElement("record"));
    ASSERT_TRUE(doc.SetAttribute("type", "1"));
    ASSERT_TRUE(doc.SetAttribute("value", "67"));
    ASSERT_TRUE(doc.AppendElement("record"));
    ASSERT_TRUE(doc.SetAttribute("type", "2"));
    ASSERT_TRUE(doc.AppendElement("group"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AppendElement("item"));
    ASSERT_TRUE(doc.SetAttribute("v", "1"));
    ASSERT_TRUE(doc.AppendElement("item"));
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.AppendElement("record"));
    ASSERT_TRUE(doc.SetAttribute("value", "\xE4\xB8\xAD"));
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.SetAttribute("count", "3"));

    test::TempDir dir;
    ASSERT_TRUE(doc.SaveText((dir / "macro.xml").string()));
    EXPECT_EQ(test::ReadFile(dir / "macro.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<macro name=\"Copy &amp; &quot;paste&quot; &lt;fast&gt; &apos;now&apos;\" count=\"3\">\r\n"
              "<record type=\"1\" value=\"67\"/>\r\n"
              "<record type=\"2\"/>\r\n"
              "<group>\r\n"
              "<item v=\"1\"/>\r\n"
              "<item/>\r\n"
              "</group>\r\n"
              "<record value=\"\xE4\xB8\xAD\"/>\r\n"
              "</macro>\r\n");

    XmlDocument read;
    ASSERT_TRUE(read.LoadText((dir / "macro.xml").string()));
    ASSERT_TRUE(read.ParseText());
    ASSERT_TRUE(read.FindNext("macro"));
    EXPECT_EQ(read.AttributeOf("name"), "Copy & \"paste\" <fast> 'now'");
    EXPECT_EQ(WalkTree(read, {"type", "v"}),
              "macro\n.record type=1\n.record type=2\n.group\n..item v=1\n..item\n.record\n");
}

struct AppendCase {
    const char* before;
    const char* path;  // elements to find, '>' to enter: "r>a" finds r, enters, finds a
    const char* after;
};

TEST(XmlWriterTest, AppendsAtTheCursor) {
    const AppendCase cases[] = {
        {"", "", "<n/>\r\n"},
        {"<?xml version=\"1.0\"?>", "", "<?xml version=\"1.0\"?><n/>\r\n"},
        {"<r/>", "r>", "<r>\r\n<n/>\r\n</r>"},
        {"<r x=\"1\" />\r\n", "r>", "<r x=\"1\" >\r\n<n/>\r\n</r>\r\n"},
        {"<r></r>", "r>", "<r><n/>\r\n</r>"},
        // At the end of the parent when there is no current element ...
        {"<r>\n  <a/>\n</r>", "r>", "<r>\n  <a/>\n<n/>\r\n</r>"},
        // ... else after the current element and its line break.
        {"<r><a/><c/></r>", "r>a", "<r><a/><n/>\r\n<c/></r>"},
        {"<r>\r\n<a/>\r\n<c/>\r\n</r>", "r>a", "<r>\r\n<a/>\r\n<n/>\r\n<c/>\r\n</r>"},
        {"<r>\n<a></a>\n<c/>\n</r>", "r>a", "<r>\n<a></a>\n<n/>\r\n<c/>\n</r>"},
        {"<r><a><b/></a></r>", "r>a>", "<r><a><b/><n/>\r\n</a></r>"},
        {"<r/>", "r", "<r/><n/>\r\n"},  // a second top-level element, as asked
    };
    for (const auto& c : cases) {
        XmlDocument doc;
        doc.ResetText(c.before);
        for (const char* p = c.path; *p != '\0'; ++p) {
            if (*p == '>') {
                ASSERT_TRUE(doc.EnterElement()) << c.before;
            } else {
                ASSERT_TRUE(doc.FindNext(std::string(1, *p))) << c.before;
            }
        }
        ASSERT_TRUE(doc.AppendElement("n")) << c.before;
        EXPECT_EQ(doc.Text(), c.after) << c.before;
        EXPECT_EQ(doc.ElementName(), "n");
    }
}

TEST(XmlWriterTest, SetsAttributesAtTheEndOfTheStartTagOrInPlace) {
    struct Case {
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {"<a/>", "<a k=\"v&amp;\"/>"},
        {"<a />", "<a k=\"v&amp;\" />"},
        {"<a x=\"1\">t</a>", "<a x=\"1\" k=\"v&amp;\">t</a>"},
        {"<a x=\"1\"\n>t</a>", "<a x=\"1\" k=\"v&amp;\"\n>t</a>"},
        {"<a k=\"old\" x=\"1\"/>", "<a k=\"v&amp;\" x=\"1\"/>"},
        {"<a k='old'/>", "<a k='v&amp;'/>"},
        {"<a kk=\"1\" k=\"\"/>", "<a kk=\"1\" k=\"v&amp;\"/>"},
    };
    for (const auto& c : cases) {
        XmlDocument doc;
        ASSERT_TRUE(doc.ResetText(c.before));
        ASSERT_TRUE(doc.FindNext("a"));
        ASSERT_TRUE(doc.SetAttribute("k", "v&"));
        EXPECT_EQ(doc.Text(), c.after) << c.before;
        EXPECT_EQ(doc.AttributeOf("k"), "v&") << c.before;
    }
}

// The writer edits the text in place; its index must keep describing the
// text exactly as a fresh parse of that text does.
TEST(XmlWriterTest, IndexMatchesAFreshParseAfterEdits) {
    XmlDocument doc;
    ASSERT_TRUE(doc.ResetText(
        "<?xml version=\"1.0\"?>\n<r id=\"r\">\n  <a id=\"a\"/>\n  <c id=\"c\"><d id=\"d\"/></c>\n</r>\n"));
    ASSERT_TRUE(doc.FindNext("r") && doc.EnterElement() && doc.FindNext("a"));
    ASSERT_TRUE(doc.SetAttribute("id", "a-longer-value"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AppendElement("a1"));
    ASSERT_TRUE(doc.SetAttribute("id", "1"));
    ASSERT_TRUE(doc.AppendElement("a2"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AppendElement("deep"));
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.SetAttribute("id", "2"));
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.AppendElement("b"));
    ASSERT_TRUE(doc.SetAttribute("id", "b"));
    ASSERT_TRUE(doc.FindNext("c"));
    ASSERT_TRUE(doc.SetAttribute("id", "x"));  // shorter
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AppendElement("e"));
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.AppendElement("tail"));

    XmlDocument fresh;
    fresh.ResetText(doc.Text());
    const std::string expected =
        "r id=r\n.a id=a-longer-value\n..a1 id=1\n..a2 id=2\n...deep\n.b id=b\n.c id=x\n..d "
        "id=d\n..e\ntail\n";
    EXPECT_EQ(WalkTree(fresh), expected);
    EXPECT_EQ(WalkTree(doc), expected);
}

TEST(XmlWriterTest, RefusesEditsThatWouldBreakTheText) {
    XmlDocument doc;
    ASSERT_TRUE(doc.ResetText("<r/>"));
    EXPECT_FALSE(doc.SetAttribute("k", "v"));  // no current element
    ASSERT_TRUE(doc.FindNext("r"));
    for (const char* name : {"", "1a", "a b", "a\"", "a>", "a/", "a=b", "-a"}) {
        EXPECT_FALSE(doc.AppendElement(name)) << name;
        EXPECT_FALSE(doc.SetAttribute(name, "v")) << name;
    }
    EXPECT_EQ(doc.Text(), "<r/>");
    EXPECT_TRUE(doc.HasResult("write_refused"));

    // Offsets of text with syntax errors cannot be trusted to edit by.
    XmlDocument broken;
    EXPECT_FALSE(broken.ResetText("<r><a></r>"));
    ASSERT_TRUE(broken.FindNext("r"));
    EXPECT_FALSE(broken.AppendElement("n"));
    EXPECT_FALSE(broken.SetAttribute("k", "v"));
    EXPECT_EQ(broken.Text(), "<r><a></r>");

    // Loaded bytes are edited only after they were parsed.
    XmlDocument unparsed;
    unparsed.SetBytes("<r/>");
    EXPECT_FALSE(unparsed.AppendElement("n"));
}

}  // namespace
}  // namespace mousedeck::xml
