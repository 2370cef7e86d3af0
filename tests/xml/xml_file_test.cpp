#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>

#include "support/temp_home.h"
#include "xml/xml_document.h"
#include "xml_test_helpers.h"

using namespace std::string_literals;

namespace mousedeck::xml {
namespace {

class XmlFileTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    test::TempDir dir_;
};

// The same document in each encoding a file may come in.
TEST_F(XmlFileTest, EveryEncodingReadsToTheSameDocument) {
    const std::u16string doc16 =
        u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<c name=\"caf\u00E9 \u4E2D\"><x id=\"1\"/></c>\r\n";
    const std::string utf8_body = "<c name=\"caf\xC3\xA9 \xE4\xB8\xAD\"><x id=\"1\"/></c>\r\n";
    struct Case {
        const char* file;
        std::string bytes;
    };
    const Case cases[] = {
        {"bom8.xml", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n" + utf8_body},
        {"plain8.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n" + utf8_body},
        {"nodecl.xml", utf8_body},
        {"le.xml", "\xFF\xFE" + Utf16(doc16, false)},
        {"be.xml", "\xFE\xFF" + Utf16(doc16, true)},
        {"latin.xml",
         "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<c name=\"caf\xE9 &#x4E2D;\"><x "
         "id=\"1\"/></c>\r\n"},
        {"nulls.xml", "<c name=\"caf\xC3\xA9 \xE4\xB8\xAD\">\0<x id=\"1\"/></c>\0\r\n"s},
    };
    for (const auto& c : cases) {
        test::WriteFile(dir_ / c.file, c.bytes);
        XmlDocument doc;
        ASSERT_TRUE(doc.LoadText(Path(c.file))) << c.file;
        EXPECT_TRUE(doc.HasResult("read"));
        ASSERT_TRUE(doc.ParseText()) << c.file;
        ASSERT_TRUE(doc.FindNext("c")) << c.file;
        EXPECT_EQ(doc.AttributeOf("name"), "caf\xC3\xA9 \xE4\xB8\xAD") << c.file;
        EXPECT_EQ(WalkTree(doc), "c\n.x id=1\n") << c.file;
    }
}

// A file read and saved unchanged is written back byte for byte, in its
// encoding and with its mark.
TEST_F(XmlFileTest, SavingWhatWasReadKeepsEncodingAndMark) {
    const std::u16string doc16 = u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<c v=\"\u00E9\"/>\r\n";
    const std::string files[] = {
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<c v=\"\xC3\xA9\"/>\r\n",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<c v=\"\xC3\xA9\"/>\r\n",
        "\xFF\xFE" + Utf16(doc16, false),
        "\xFE\xFF" + Utf16(doc16, true),
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<c v=\"\xE9\"/>\r\n",
    };
    for (const auto& bytes : files) {
        test::WriteFile(dir_ / "in.xml", bytes);
        XmlDocument doc;
        ASSERT_TRUE(doc.LoadText(Path("in.xml")));
        ASSERT_TRUE(doc.ParseText());
        ASSERT_TRUE(doc.SaveText(Path("out.xml")));
        EXPECT_EQ(test::ReadFile(dir_ / "out.xml"), bytes);
    }
}

// Whatever was read is written so that it reads back to the same text.
TEST_F(XmlFileTest, SavedBytesReadBackToTheSameText) {
    const std::string inputs[] = {
        "\xEF\xBB\0\xBF\n\xE7"s,                            // a mark hidden by a zero byte
        "\xEF\xBB\xBF\xEF\xBB\xBF<a/>",                     // a second mark is text
        "\xFF\xFE\0\0\xFF\xFE<\0a\0/\0>\0"s,                // U+FEFF behind a zero unit
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?><a/>",  // UTF-16 declared, 8-bit read
        "<?xml version=\"1.0\" encoding=\"latin1\"?><a v=\"\xE9\"/>",
    };
    for (const auto& bytes : inputs) {
        XmlDocument doc;
        doc.SetBytes(bytes);
        XmlDocument reread;
        reread.SetBytes(doc.SaveBytes());
        EXPECT_EQ(reread.Text(), doc.Text()) << testing::PrintToString(bytes);
    }
}

TEST_F(XmlFileTest, SavesInTheDeclaredEncodingAndLogsLoss) {
    XmlDocument doc;
    ASSERT_TRUE(doc.ResetText("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<c/>\r\n"));
    ASSERT_TRUE(doc.FindNext("c"));
    ASSERT_TRUE(doc.SetAttribute("v", "\xC3\xA9\xE2\x82\xAC"));  // é€: € is not Latin-1
    ASSERT_TRUE(doc.SaveText(Path("latin.xml")));
    EXPECT_EQ(test::ReadFile(dir_ / "latin.xml"),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<c v=\"\xE9?\"/>\r\n");
    EXPECT_TRUE(doc.HasResult("converted_to"));
    EXPECT_TRUE(doc.HasResult("conversion_loss"));

    // No declaration: UTF-8 without a mark.
    ASSERT_TRUE(doc.ResetText("<c v=\"\xE2\x82\xAC\"/>"));
    ASSERT_TRUE(doc.SaveText(Path("plain.xml")));
    EXPECT_EQ(test::ReadFile(dir_ / "plain.xml"), "<c v=\"\xE2\x82\xAC\"/>");
    EXPECT_FALSE(doc.HasResult("conversion_loss"));
}

TEST_F(XmlFileTest, ReadAndWriteFailuresAreReported) {
    XmlDocument doc;
    ASSERT_TRUE(doc.ResetText("<keep/>"));
    EXPECT_FALSE(doc.LoadText(Path("missing.xml")));
    EXPECT_TRUE(doc.HasResult("file_error"));
    EXPECT_FALSE(doc.LoadText(dir_.path().string()));  // a folder
    EXPECT_EQ(doc.Text(), "<keep/>");                  // a failed load changes nothing

    // Saving over the folder puts its temporary file beside the folder.
    const auto entries = [](const std::filesystem::path& folder) {
        std::set<std::filesystem::path> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.insert(entry.path());
        }
        return names;
    };
    const auto beside_before = entries(dir_.path().parent_path());
    EXPECT_FALSE(doc.SaveText(Path("no/such/folder/out.xml")));
    EXPECT_FALSE(doc.SaveText(dir_.path().string()));
    EXPECT_TRUE(doc.HasResult("file_error"));
    // No temporary file is left behind.
    EXPECT_EQ(entries(dir_.path().parent_path()), beside_before);
    EXPECT_TRUE(entries(dir_.path()).empty());
}

TEST_F(XmlFileTest, SaveReplacesTheFileWhole) {
    test::WriteFile(dir_ / "out.xml", std::string(10000, 'x'));
    ::chmod((dir_ / "out.xml").c_str(), 0600);
    XmlDocument doc;
    ASSERT_TRUE(doc.ResetText("<a/>"));
    ASSERT_TRUE(doc.SaveText(Path("out.xml")));
    EXPECT_EQ(test::ReadFile(dir_ / "out.xml"), "<a/>");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace mousedeck::xml
