#include "devices/device_defaults.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_home.h"
#include "xml/xml_document.h"

namespace mousedeck::devices {
namespace {

DeviceDefaults Read(const std::string& mouse_info_body, const std::string& before = "") {
    xml::XmlDocument document;
    EXPECT_TRUE(
        document.ResetText("<mouse>" + before + "<mouse_info>" + mouse_info_body + "</mouse_info></mouse>"));
    return ReadDeviceDefaults(document);
}

DpiStageDefault Stage(const char* value, const char* color) {
    return {value, color};
}

TEST(DeviceDefaultsTest, ReadsEveryElementAsWritten) {
    const DeviceDefaults d =
        Read(R"(<light_info><light_1 enable="1"/></light_info>)"
             R"(<dpi_info default_dpi="2" dpi_count="4"><dpi_1 value="400" color="#FF0000"/>)"
             R"(<dpi_2 value="800" color="#00FF00"/><dpi_3 value="1600" color="#0000FF"/>)"
             R"(<dpi_4 value="3200" color="#FFFF00"/><dpi_5 value="6400" color="#FF00FF"/>)"
             R"(<dpi_6 value=" 12000x" color="bad"/></dpi_info>)"
             R"(<report_rate default_value="8"/><sleep_light value="180"/><move_wakeup value="1"/>)"
             R"(<move_closelight value="0"/><lod value="2"/>)",
             R"(<image_file mouse_img="x.png"/><mouse_key><key/></mouse_key>)");
    ASSERT_TRUE(d.dpi.has_value());
    EXPECT_EQ(d.dpi->default_dpi, "2");
    EXPECT_EQ(d.dpi->dpi_count, "4");
    // A count of 4 still reads all six stages; texts are kept unconverted.
    EXPECT_EQ(d.dpi->stages[0], Stage("400", "#FF0000"));
    EXPECT_EQ(d.dpi->stages[5], Stage(" 12000x", "bad"));
    EXPECT_EQ(d.report_rate, "8");
    EXPECT_EQ(d.sleep_light, "180");
    EXPECT_EQ(d.move_wakeup, "1");
    EXPECT_EQ(d.move_closelight, "0");
    EXPECT_EQ(d.lod, "2");
}

struct DefaultsCase {
    const char* label;
    std::string body;
    DeviceDefaults expected;
};

DeviceDefaults With(std::optional<std::string> report_rate, std::optional<std::string> sleep,
                    std::optional<std::string> lod) {
    DeviceDefaults d;
    d.report_rate = std::move(report_rate);
    d.sleep_light = std::move(sleep);
    d.lod = std::move(lod);
    return d;
}

TEST(DeviceDefaultsTest, ElementsAreFoundOnlyInOrder) {
    DeviceDefaults sparse_dpi;
    sparse_dpi.dpi = DpiDefaults{};
    // dpi_1 is found behind dpi_2, so dpi_2 is then missed; dpi_3 is absent.
    sparse_dpi.dpi->stages[0] = Stage("1", "");
    sparse_dpi.dpi->stages[3] = Stage("4", "");

    const DefaultsCase cases[] = {
        {"nothing", "", DeviceDefaults{}},
        {"missing dpi_info: later elements still read", R"(<report_rate default_value="1"/><lod value="2"/>)",
         With("1", std::nullopt, "2")},
        {"sleep_light before report_rate is skipped",
         R"(<sleep_light value="9"/><report_rate default_value="1"/><lod value="2"/>)",
         With("1", std::nullopt, "2")},
        {"lod first hides everything after it but dpi_info before it",
         R"(<lod value="1"/><dpi_info default_dpi="3"/><report_rate default_value="4"/>)",
         // dpi_info is found after lod; report_rate after dpi_info; lod lies behind both.
         [] {
             DeviceDefaults d = With("4", std::nullopt, std::nullopt);
             d.dpi = DpiDefaults{"3", "", {}};
             return d;
         }()},
        {"stages missing, out of order or without attributes",
         R"(<dpi_info><dpi_2/><dpi_1 value="1"/><dpi_4 value="4"/></dpi_info>)", sparse_dpi},
    };
    for (const DefaultsCase& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(Read(c.body), c.expected);
    }
}

TEST(DeviceDefaultsTest, MouseInfoOutsideMouseIsNotRead) {
    xml::XmlDocument document;
    ASSERT_TRUE(document.ResetText(R"(<device><mouse_info><lod value="2"/></mouse_info></device>)"));
    EXPECT_EQ(ReadDeviceDefaults(document), DeviceDefaults{});
}

TEST(DeviceDefaultsTest, LoadReportsAnUnreadableFile) {
    test::TempDir dir;
    EXPECT_FALSE(LoadDeviceDefaults((dir / "none.xml").string()).has_value());
    test::WriteFile(dir / "cut.xml", R"(<mouse><mouse_info><lod value="2"/>)");
    EXPECT_FALSE(LoadDeviceDefaults((dir / "cut.xml").string()).has_value());
    test::WriteFile(dir / "ok.xml", R"(<mouse><mouse_info><lod value="2"/></mouse_info></mouse>)");
    const auto loaded = LoadDeviceDefaults((dir / "ok.xml").string());
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->lod, "2");
}

}  // namespace
}  // namespace mousedeck::devices
