#include "devices/description_loader.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "devices/catalogue_loader.h"
#include "devices/recording_catalogue_view.h"
#include "support/temp_home.h"
#include "xml/xml_document.h"

namespace mousedeck::devices {
namespace {

DeviceDescription Read(const std::string& xml_text, RecordingCatalogueView& view,
                       DeviceDescription description = DeviceDescription{}) {
    xml::XmlDocument document;
    EXPECT_TRUE(document.ResetText(xml_text)) << xml_text;
    ReadDeviceDescription(document, "skin", description, view);
    return description;
}

std::string Key(const std::string& attributes) {
    return "<key " + attributes + "/>";
}

struct RectCase {
    std::string rect;
    int x1, x2, y;
};

TEST(DescriptionButtonsTest, RectIsSplitAtEachHash) {
    const RectCase cases[] = {
        {"10#20#30", 10, 20, 30},
        {"30", 0, 0, 30},
        {"10#30", 10, 0, 30},
        {"10#20#30#40", 10, 20, 30},
        {"", 0, 0, 0},
        {"a#b#c", 0, 0, 0},
        {"#", 0, 0, 0},
        {" 7 # 8 # 9 ", 7, 8, 9},
        {"-5#-6#-7", -5, -6, -7},
        {"1##3", 1, 0, 3},
    };
    for (const RectCase& c : cases) {
        SCOPED_TRACE("rect \"" + c.rect + "\"");
        RecordingCatalogueView view;
        const DeviceDescription d =
            Read("<mouse><mouse_key>" + Key("rect=\"" + c.rect + "\"") + "</mouse_key></mouse>", view);
        ASSERT_EQ(d.buttons.size(), 1u);
        EXPECT_EQ(d.buttons[0].x1, c.x1);
        EXPECT_EQ(d.buttons[0].x2, c.x2);
        EXPECT_EQ(d.buttons[0].y, c.y);
    }
}

TEST(DescriptionButtonsTest, EveryKeyAttributeIsRead) {
    RecordingCatalogueView view;
    const DeviceDescription d = Read(
        "<mouse><mouse_key>" +
            Key(R"(name="701" key_value="3" direction="1" rect="1#2#3" func_desc="106" func_type="5" func_value="9")") +
            Key(R"(name="x" key_value="" func_type="99999999999")") + "</mouse_key></mouse>",
        view);
    ASSERT_EQ(d.buttons.size(), 2u);
    EXPECT_EQ(d.buttons[0], (DescriptionButton{701, 3, 1, 1, 2, 3, 106, 5, 9}));
    EXPECT_EQ(d.buttons[1], (DescriptionButton{0, 0, 0, 0, 0, 0, 0, INT_MAX, 0}));
    EXPECT_EQ(view.shown_buttons, d.buttons);
}

TEST(DescriptionButtonsTest, TenThousandKeysAreAllListed) {
    std::string xml = "<mouse><mouse_key>";
    for (int i = 0; i < 10000; ++i) {
        xml +=
            Key("name=\"" + std::to_string(i) + "\" key_value=\"" + std::to_string(i) + "\" rect=\"1#2#3\"");
    }
    xml += "</mouse_key></mouse>";
    RecordingCatalogueView view;
    const DeviceDescription d = Read(xml, view);
    ASSERT_EQ(d.buttons.size(), 10000u);
    EXPECT_EQ(d.buttons.back().key_value, 9999);
    EXPECT_EQ(view.calls, std::vector<std::string>{"ShowButtons 10000"});
}

// Reading order of the children of `mouse`, and which view calls each makes.
struct OrderCase {
    const char* label;
    std::string body;  // children of <mouse>
    std::vector<std::string> calls;
    std::string firmware;
};

TEST(DescriptionOrderTest, ChildrenAreFoundOnlyInFileOrder) {
    const std::string image = R"(<image_file mouse_img="top.png"/>)";
    const std::string menu = R"(<menu light="0"/>)";
    const std::string custom = R"(<custom show_dpitips="1" show_savetips="0" show_lod="1" show_sensor="0"/>)";
    const std::string firmware = R"(<firmware url="http://fw"/>)";
    const std::string keys = "<mouse_key>" + Key("key_value=\"1\"") + "</mouse_key>";
    const OrderCase cases[] = {
        {"all in order",
         image + menu + custom + firmware + keys,
         {"ShowMousePicture skin/device/top.png", "ShowLightingTab 0", "ShowPageOptions 1010",
          "ShowButtons 1"},
         "http://fw"},
        {"none", "", {}, ""},
        {"menu before image is skipped",
         menu + image + custom,
         {"ShowMousePicture skin/device/top.png", "ShowPageOptions 1010"},
         ""},
        {"firmware placed first is not found",
         firmware + image + menu + custom + keys,
         {"ShowMousePicture skin/device/top.png", "ShowLightingTab 0", "ShowPageOptions 1010",
          "ShowButtons 1"},
         // firmware lies before image_file, so the search after `custom` misses it.
         ""},
        {"keys before firmware",
         image + keys + firmware,
         {"ShowMousePicture skin/device/top.png"},
         // firmware found after mouse_key; mouse_key then lies behind it.
         "http://fw"},
        {"empty mouse_key clears the list", "<mouse_key/>", {"ShowButtons 0"}, ""},
        {"flags other than 1 are off",
         R"(<menu light="2"/><custom show_dpitips="yes" show_savetips="01"/>)",
         {"ShowLightingTab 0", "ShowPageOptions 0100"},
         ""},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.label);
        RecordingCatalogueView view;
        const DeviceDescription d = Read("<mouse>" + c.body + "</mouse>", view);
        EXPECT_EQ(view.calls, c.calls);
        EXPECT_EQ(d.firmware_url, c.firmware);
    }
}

TEST(DescriptionOrderTest, MissingElementsKeepThePreviousValues) {
    DeviceDescription previous;
    previous.mouse_picture = "old.png";
    previous.lighting = false;
    previous.options.show_sensor = false;
    previous.buttons = {DescriptionButton{1, 2, 3, 4, 5, 6, 7, 8, 9}};
    previous.light_effects = {true, false, true, false, true, false};

    RecordingCatalogueView view;
    const DeviceDescription d = Read(
        R"(<mouse><mouse_info><light_info><light_2 enable="1"/><light_6 enable="0"/></light_info></mouse_info></mouse>)",
        view, previous);
    EXPECT_EQ(d.mouse_picture, "old.png");
    EXPECT_FALSE(d.lighting);
    EXPECT_FALSE(d.options.show_sensor);
    EXPECT_EQ(d.buttons, previous.buttons);
    // light_2 -> effect 2 on; light_6 -> effect 0 off; the others untouched.
    EXPECT_EQ(d.light_effects, (std::array<bool, 6>{false, false, true, false, true, false}));
    EXPECT_TRUE(view.calls.empty());
}

TEST(DescriptionOrderTest, LightSwitchesFollowTheirOrder) {
    RecordingCatalogueView view;
    const DeviceDescription d = Read(
        R"(<mouse><mouse_info><light_info><light_1 enable="1"/><light_3 enable="1"/><light_2 enable="1"/>)"
        R"(<light_4 enable="1"/><light_5 enable="1"/><light_6 enable="1"/></light_info></mouse_info></mouse>)",
        view);
    // light_3 lies before light_2, where the search for it starts, so effect 3 stays off.
    EXPECT_EQ(d.light_effects, (std::array<bool, 6>{true, true, true, false, true, true}));
}

class DescriptionLoadTest : public ::testing::Test {
protected:
    test::TempDir dir;
    ProductFolders folders{dir.path().string(), "skin"};
    RecordingCatalogueView view;
    DeviceCatalogue catalogue;

    void SetUp() override {
        catalogue.AddMouse({"Alpha", 101, "alpha", ""});
        catalogue.AddMouse({"Beta", 102, "beta", ""});
        test::WriteFile(
            dir / "device" / "alpha.xml",
            R"(<mouse><image_file mouse_img="a.png"/><menu light="1"/>)"
            R"(<firmware url="http://fw/alpha"/><mouse_key><key key_value="4"/></mouse_key></mouse>)");
    }
};

TEST_F(DescriptionLoadTest, ReadsTheFileOfTheSelectedProduct) {
    DeviceDescription d;
    const DescriptionLoad load = LoadDeviceDescription(catalogue, 101, folders, d, view);
    EXPECT_TRUE(load.read);
    EXPECT_EQ(load.product.name, "Alpha");
    EXPECT_EQ(load.product.device_attr, "alpha");
    EXPECT_EQ(d.firmware_url, "http://fw/alpha");
    EXPECT_EQ(view.calls, (std::vector<std::string>{"ShowMousePicture skin/device/a.png", "ShowLightingTab 1",
                                                    "ShowButtons 1"}));
}

TEST_F(DescriptionLoadTest, UnreadableFileChangesNothingButTheFirmwareAddress) {
    const struct {
        const char* label;
        int device_type;
        std::string beta_bytes;  // empty: no file
        const char* attr;
    } cases[] = {
        {"unknown device type reads device/.xml", 999, "", ""},
        {"missing file", 102, "", "beta"},
        {"truncated file", 102, R"(<mouse><image_file mouse_img="b.png"/><mouse_key><key key_value=)",
         "beta"},
        {"not xml", 102, "plain text", "beta"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::filesystem::remove(dir / "device" / "beta.xml");
        if (!c.beta_bytes.empty()) {
            test::WriteFile(dir / "device" / "beta.xml", c.beta_bytes);
        }
        DeviceDescription d;
        LoadDeviceDescription(catalogue, 101, folders, d, view);
        const DeviceDescription alpha = d;
        view.calls.clear();

        const DescriptionLoad load = LoadDeviceDescription(catalogue, c.device_type, folders, d, view);
        EXPECT_FALSE(load.read);
        EXPECT_EQ(load.product.device_attr, c.attr);
        EXPECT_TRUE(view.calls.empty());
        EXPECT_EQ(d.buttons, alpha.buttons);
        EXPECT_EQ(d.mouse_picture, alpha.mouse_picture);
        // Another product's firmware must never be offered for this one.
        EXPECT_EQ(d.firmware_url, "");
    }
}

TEST_F(DescriptionLoadTest, FileWithoutFirmwareClearsThePreviousAddress) {
    test::WriteFile(dir / "device" / "beta.xml", R"(<mouse><menu light="0"/></mouse>)");
    DeviceDescription d;
    LoadDeviceDescription(catalogue, 101, folders, d, view);
    ASSERT_EQ(d.firmware_url, "http://fw/alpha");
    EXPECT_TRUE(LoadDeviceDescription(catalogue, 102, folders, d, view).read);
    EXPECT_EQ(d.firmware_url, "");
    EXPECT_FALSE(d.lighting);
}

}  // namespace
}  // namespace mousedeck::devices
