#include <gtest/gtest.h>

#include <string>

#include "pages/profiles/profile_export.h"
#include "profile_fixture.h"

namespace mousedeck::pages::profiles {
namespace {

using ProfileExportTest = ProfileFileTest;

// Profile 1 of the fixture, in three parts so the file without lighting
// can be put together from the same lines.
constexpr char kHead[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<profile>\r\n"
    "<profileinfo name=\"Profil  1\">\r\n"
    "<keyitems>\r\n"
    "<item key_code=\"1\" macro_type=\"1\" macro_value=\"3\" macro_value2=\"0\" macro_value3=\"0\" "
    "macro_desc=\"Right click\"/>\r\n"
    "<item key_code=\"5\" macro_type=\"4\" macro_value=\"3\" macro_value2=\"0\" macro_value3=\"0\" "
    "macro_desc=\"Custom 1\"/>\r\n"
    "<item key_code=\"7\" macro_type=\"2\" macro_value=\"4\" macro_value2=\"2\" macro_value3=\"0\" "
    "macro_desc=\"Shift + A\"/>\r\n"
    "</keyitems>\r\n";
constexpr char kLights[] =
    "<Lightitems lightmode=\"2\">\r\n"
    "<item light_mode=\"1\" brightness=\"4\" speed=\"2\" direction=\"0\" colorful=\"1\" colorindex=\"0\" "
    "color_value1=\"255\" color_value2=\"65280\" color_value3=\"16711680\" color_value4=\"16776960\" "
    "color_value5=\"65535\" color_value6=\"16711935\" color_value7=\"16777215\"/>\r\n"
    "<item light_mode=\"2\" brightness=\"4\" speed=\"2\" direction=\"0\" colorful=\"1\" colorindex=\"0\" "
    "color_value1=\"255\" color_value2=\"65280\" color_value3=\"16711680\" color_value4=\"16776960\" "
    "color_value5=\"65535\" color_value6=\"16711935\" color_value7=\"16777215\"/>\r\n"
    "<item light_mode=\"0\" brightness=\"4\" speed=\"2\" direction=\"0\" colorful=\"1\" colorindex=\"0\" "
    "color_value1=\"255\" color_value2=\"65280\" color_value3=\"16711680\" color_value4=\"16776960\" "
    "color_value5=\"65535\" color_value6=\"16711935\" color_value7=\"16777215\"/>\r\n"
    "</Lightitems>\r\n";
constexpr char kTail[] =
    "<Mouse_DPI dpi_flag=\"6\" dpi_index=\"1\" dpi_count=\"6\">\r\n"
    "<DPI1 value=\"800\" color=\"255\"/>\r\n"
    "<DPI2 value=\"1600\" color=\"16711680\"/>\r\n"
    "<DPI3 value=\"2400\" color=\"65280\"/>\r\n"
    "<DPI4 value=\"3200\" color=\"65535\"/>\r\n"
    "<DPI5 value=\"6400\" color=\"16711935\"/>\r\n"
    "<DPI6 value=\"26000\" color=\"16776960\"/>\r\n"
    "</Mouse_DPI>\r\n"
    "<Mouse>\r\n"
    "<button_respondtime value=\"8\"/>\r\n"
    "<report_rate value=\"2\"/>\r\n"
    "<sensor_flag value=\"53\"/>\r\n"
    "<liftoff_height value=\"1\"/>\r\n"
    "<scroll_flag value=\"1\"/>\r\n"
    "<e-sports_flag value=\"0\"/>\r\n"
    "<sleep_light value=\"30\"/>\r\n"
    "<move_wakeup value=\"1\"/>\r\n"
    "<move_closelight value=\"1\"/>\r\n"
    "</Mouse>\r\n"
    "</profileinfo>\r\n"
    "</profile>\r\n";

TEST_F(ProfileExportTest, WritesEverySectionInOrderUnderTheDisplayName) {
    ASSERT_EQ(ExportProfileFile(Target(1), text_, FilePath("p.xml")), ProfileFileStatus::kOk);
    EXPECT_EQ(test::ReadFile(FilePath("p.xml")), std::string(kHead) + kLights + kTail);
}

TEST_F(ProfileExportTest, WithoutLightingTheLightingSectionIsLeftOut) {
    ASSERT_EQ(ExportProfileFile(Target(1, false), text_, FilePath("p.xml")), ProfileFileStatus::kOk);
    EXPECT_EQ(test::ReadFile(FilePath("p.xml")), std::string(kHead) + kTail);
}

// Only layer 0 is written; an empty assignment list and a profile without
// lighting rows give empty sections; keys the profile lacks are written
// empty; names are escaped and Chinese text is written as UTF-8.
TEST_F(ProfileExportTest, EmptySectionsMissingKeysAndSpecialCharacters) {
    const store::ConfigRow few[] = {{"dpi_count", "3"}, {"dpi_group0_value", "400"}, {"report_rate", "1"}};
    const int sparse = db_.AddProfile({.name = "\xE9\x85\x8D\xE7\xBD\xAE <3> & \"'"}, few);
    ASSERT_GT(sparse, 0);
    Bind(sparse, 2, 1, 1, 0, "Left", 1);
    Bind(sparse, 3, 2, 4, 0, "<Ctrl> & '\xE7\x94\xB2'");

    ASSERT_EQ(ExportProfileFile(Target(sparse), text_, FilePath("p.xml")), ProfileFileStatus::kOk);
    EXPECT_EQ(test::ReadFile(FilePath("p.xml")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<profile>\r\n"
              "<profileinfo name=\"Profil  &lt;3&gt; &amp; &quot;&apos;\">\r\n"
              "<keyitems>\r\n"
              "<item key_code=\"3\" macro_type=\"2\" macro_value=\"4\" macro_value2=\"0\" macro_value3=\"0\" "
              "macro_desc=\"&lt;Ctrl&gt; &amp; &apos;\xE7\x94\xB2&apos;\"/>\r\n"
              "</keyitems>\r\n"
              "<Lightitems lightmode=\"0\"/>\r\n"
              "<Mouse_DPI dpi_flag=\"\" dpi_index=\"\" dpi_count=\"3\">\r\n"
              "<DPI1 value=\"400\" color=\"\"/>\r\n"
              "<DPI2 value=\"\" color=\"\"/>\r\n"
              "<DPI3 value=\"\" color=\"\"/>\r\n"
              "<DPI4 value=\"\" color=\"\"/>\r\n"
              "<DPI5 value=\"\" color=\"\"/>\r\n"
              "<DPI6 value=\"\" color=\"\"/>\r\n"
              "</Mouse_DPI>\r\n"
              "<Mouse>\r\n"
              "<button_respondtime value=\"\"/>\r\n"
              "<report_rate value=\"1\"/>\r\n"
              "<sensor_flag value=\"\"/>\r\n"
              "<liftoff_height value=\"\"/>\r\n"
              "<scroll_flag value=\"\"/>\r\n"
              "<e-sports_flag value=\"\"/>\r\n"
              "<sleep_light value=\"\"/>\r\n"
              "<move_wakeup value=\"\"/>\r\n"
              "<move_closelight value=\"\"/>\r\n"
              "</Mouse>\r\n"
              "</profileinfo>\r\n"
              "</profile>\r\n");
}

TEST_F(ProfileExportTest, FailuresAreReportedAndWriteNoFile) {
    EXPECT_EQ(ExportProfileFile(Target(9), text_, FilePath("p.xml")), ProfileFileStatus::kNoSuchProfile);
    EXPECT_FALSE(std::filesystem::exists(FilePath("p.xml")));
    EXPECT_EQ(ExportProfileFile(Target(1), text_, FilePath("missing/p.xml")),
              ProfileFileStatus::kWriteFailed);
    EXPECT_EQ(ExportProfileFile(Target(1), text_, files_.path().string()), ProfileFileStatus::kWriteFailed);
}

}  // namespace
}  // namespace mousedeck::pages::profiles
