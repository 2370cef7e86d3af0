#include "devices/catalogue_loader.h"

#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <string>

#include "devices/recording_catalogue_view.h"
#include "support/temp_home.h"
#include "xml/xml_document.h"

namespace mousedeck::devices {
namespace {

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
}

// One line per product, mode and the software element, so a table row states
// everything a reading rule changed.
std::string Summary(const DeviceCatalogue& catalogue) {
    std::string out;
    for (const CatalogueMouse& m : catalogue.Mice()) {
        out += "M " + m.name + "|" + std::to_string(m.device_type) + "|" + m.device_attr + "|" +
               m.image_path + "\n";
    }
    for (const CatalogueMode& m : catalogue.Modes()) {
        out += "m " + m.name + "|" + std::to_string(m.value) + "|" + Hex(m.vendor_id) + "|" +
               Hex(m.product_id) + "|" + std::to_string(m.device_type) + "|" + m.dev_id + "|" + m.desc + "|" +
               m.hid_interface + "\n";
    }
    const SoftwareInfo& s = catalogue.Software();
    if (s.present) {
        out += "S " + s.caption + "|" + s.version + "|" + s.website_url + "|" + s.feedback_url + "|" +
               s.qa_url + "|" + s.store_url + "|" + s.upgrade_url + "|" + s.copyright + "\n";
    }
    return out;
}

DeviceCatalogue Read(const std::string& xml_text) {
    xml::XmlDocument document;
    EXPECT_TRUE(document.ResetText(xml_text)) << xml_text;
    return ReadCatalogue(document, "skin");
}

struct ReadCase {
    const char* label;
    std::string xml;
    std::string expected;
};

class CatalogueReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CatalogueReadTest, ReadsInFileOrderOnly) {
    EXPECT_EQ(Summary(Read(GetParam().xml)), GetParam().expected);
}

const std::string kSoftware =
    R"(<software caption="Line" version="2.1"><website url="w"/><feedback url="f"/><qa url="q"/>)"
    R"(<store url="s"/><upgrade url="u"/><copyright info="c"/></software>)";

INSTANTIATE_TEST_SUITE_P(
    Rules, CatalogueReadTest,
    ::testing::Values(
        ReadCase{
            "complete",
            R"(<config><language.info default_lan="1033"/><device>)"
            R"(<mouse name="A" device_type="101" device_attr="a" image="a.png">)"
            R"(<mode value="0" desc="cable" vid="1209" pid="5A0" dev_id="ABCD" hid_interface="MI_02"/>)"
            R"(<mode value="1" desc="receiver" vid="0x1209" pid="0X0002" dev_id="AB" hid_interface="MI_01"/>)"
            R"(</mouse><mouse name="B" device_type="102" device_attr="b" image="b.png"/></device>)" +
                kSoftware + "</config>",
            "M A|101|a|skin/device/a.png\nM B|102|b|skin/device/b.png\n"
            "m A|0|1209|5A0|101|ABCD|cable|MI_02\nm A|1|1209|2|101|AB|receiver|MI_01\n"
            "S Line|2.1|w|f|q|s|u|c\n"},
        ReadCase{"software before device is not found",
                 "<config>" + kSoftware + R"(<device><mouse name="A" device_type="1"/></device></config>)",
                 "M A|1||skin/device/\n"},
        ReadCase{"software without device is found", "<config>" + kSoftware + "</config>",
                 "S Line|2.1|w|f|q|s|u|c\n"},
        ReadCase{"software children out of order are skipped",
                 R"(<config><software caption="L" version="1"><qa url="q"/><website url="w"/>)"
                 R"(<upgrade url="u"/><feedback url="f"/><copyright info="c"/></software></config>)",
                 // website found after qa; feedback after website; qa, store and upgrade lie behind it.
                 "S L|1|w|f||||c\n"},
        ReadCase{
            "lenient numbers",
            R"(<config><device><mouse name="N" device_type=" 12x"><mode value="abc" vid="zz" pid=""/></mouse>)"
            R"(<mouse name="O" device_type="99999999999"><mode value="-1" vid="123456" pid="FFFFFFFFF"/></mouse>)"
            R"(</device></config>)",
            "M N|12||skin/device/\nM O|" + std::to_string(INT_MAX) +
                "||skin/device/\nm N|0|0|0|12|||\nm O|-1|123456|FFFFFFFF|" + std::to_string(INT_MAX) +
                "|||\n"},
        ReadCase{
            "modes outside a mouse and mice outside device are ignored",
            R"(<config><mouse name="X"/><device><mode value="1"/><group><mouse name="Y"/></group>)"
            R"(<mouse name="Z" device_type="3"><extra><mode value="1"/></extra></mouse></device></config>)",
            "M Z|3||skin/device/\n"},
        ReadCase{"wrong root", R"(<catalogue><device><mouse name="A"/></device></catalogue>)", ""},
        ReadCase{"escaped attribute text",
                 R"(<config><device><mouse name="A &amp; B &lt;1&gt;"/></device></config>)",
                 "M A & B <1>|0||skin/device/\n"}),
    [](const ::testing::TestParamInfo<ReadCase>& p) {
        std::string name;
        for (const char* c = p.param.label; *c != '\0'; ++c) {
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        }
        return name;
    });

class CatalogueLoadTest : public ::testing::Test {
protected:
    test::TempDir dir;
    ProductFolders folders{dir.path().string(), (dir.path() / "skins" / "dark").string()};
    RecordingCatalogueView view;
    TextLookup text = [](int number) {
        return number == kVersionTitleText ? std::string("Version") : std::string();
    };

    void WriteConfig(const std::string& bytes) { test::WriteFile(dir / "config.xml", bytes); }

    // A catalogue holding something, so a test sees that loading empties it.
    DeviceCatalogue Stale() {
        DeviceCatalogue catalogue;
        catalogue.AddMouse({"Old", 7, "old", "old.png"});
        catalogue.AddMode({});
        return catalogue;
    }
};

TEST_F(CatalogueLoadTest, ShowsOneCardPerProductAndTheVersionTitle) {
    WriteConfig(
        R"(<?xml version="1.0" encoding="UTF-8"?><config><device>)"
        R"(<mouse name="A" device_type="101" device_attr="a" image="a.png">)"
        R"(<mode value="0" vid="1209" pid="0001" dev_id="ABCD"/><mode value="1" vid="1209" pid="0002"/></mouse>)"
        R"(<mouse name="B" device_type="102" device_attr="b" image="b.png"/></device>)"
        R"(<software caption="Line" version="1.2.0"/></config>)");
    DeviceCatalogue catalogue = Stale();

    ASSERT_TRUE(LoadCatalogue(folders, text, catalogue, view));

    const std::string skin = folders.skin;
    EXPECT_EQ(view.calls,
              (std::vector<std::string>{"ClearDeviceCards", "AddDeviceCard A 101 " + skin + "/device/a.png",
                                        "AddDeviceCard B 102 " + skin + "/device/b.png",
                                        "ShowTitleCaption Version: v1.2.0"}));
    EXPECT_EQ(catalogue.MatchRules(),
              (std::vector<MatchRule>{{0x1209, 0x0001, 101, 0, "ABCD"}, {0x1209, 0x0002, 101, 1, ""}}));
    ASSERT_NE(catalogue.FindMouse(102), nullptr);
    EXPECT_EQ(catalogue.FindMouse(102)->device_attr, "b");
    EXPECT_EQ(catalogue.FindMouse(7), nullptr);
}

TEST_F(CatalogueLoadTest, FirstProductOfADeviceTypeWins) {
    WriteConfig(R"(<config><device><mouse name="First" device_type="5" device_attr="one"/>)"
                R"(<mouse name="Second" device_type="5" device_attr="two"/></device></config>)");
    DeviceCatalogue catalogue;
    ASSERT_TRUE(LoadCatalogue(folders, text, catalogue, view));
    EXPECT_EQ(catalogue.FindMouse(5)->name, "First");
    // No software element: the title stays as it was.
    EXPECT_EQ(view.calls.back(), "AddDeviceCard Second 5 " + folders.skin + "/device/");
}

TEST_F(CatalogueLoadTest, UnreadableFileLeavesAnEmptyCatalogue) {
    const std::string complete =
        R"(<config><device><mouse name="A" device_type="1"><mode value="0" vid="1" pid="2"/>)"
        R"(<mode value="1" vid="1" pid="3"/></mouse></device><software version="1"/></config>)";
    const struct {
        const char* label;
        bool write;
        std::string bytes;
    } cases[] = {
        {"missing", false, ""},
        {"empty", true, ""},
        {"truncated inside a mode", true, complete.substr(0, complete.find("pid=\"3\"") + 4)},
        {"truncated before the end tags", true, complete.substr(0, complete.find("</mouse>"))},
        {"binary", true, std::string("\x00\xff\xfe<config\x01", 10)},
        {"two roots", true, "<config/><config/>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::filesystem::remove(dir / "config.xml");
        if (c.write) {
            WriteConfig(c.bytes);
        }
        DeviceCatalogue catalogue = Stale();
        view.calls.clear();
        EXPECT_FALSE(LoadCatalogue(folders, text, catalogue, view));
        EXPECT_TRUE(catalogue.Mice().empty());
        EXPECT_TRUE(catalogue.MatchRules().empty());
        EXPECT_FALSE(catalogue.Software().present);
        EXPECT_EQ(view.calls, std::vector<std::string>{"ClearDeviceCards"});
    }
}

TEST(TitleCaptionTest, JoinsWordAndVersion) {
    EXPECT_EQ(TitleCaption("Version", "1.2.0"), "Version: v1.2.0");
    EXPECT_EQ(TitleCaption("", ""), ": v");
}

}  // namespace
}  // namespace mousedeck::devices
