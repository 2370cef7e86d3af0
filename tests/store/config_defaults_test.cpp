#include "store/config_defaults.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "raw_sqlite.h"
#include "store_fixture.h"
#include "xml/xml_document.h"

namespace mousedeck::store::test {
namespace {

using Values = std::map<std::string, std::string>;

Values Seeds() {
    Values values;
    for (const ConfigRow& row : DefaultConfigRows()) {
        values[row.key] = row.value;
    }
    return values;
}

devices::DeviceDefaults Defaults(const std::string& mouse_info_body) {
    xml::XmlDocument document;
    EXPECT_TRUE(document.ResetText("<mouse><mouse_info>" + mouse_info_body + "</mouse_info></mouse>"));
    return devices::ReadDeviceDefaults(document);
}

TEST(DefaultConfigRowsTest, EveryKeyOnceWithItsSeed) {
    std::set<std::string> keys;
    for (const ConfigRow& row : DefaultConfigRows()) {
        EXPECT_TRUE(keys.insert(row.key).second) << "duplicate key " << row.key;
    }
    EXPECT_EQ(keys.size(), 39u);
    const Values seeds = Seeds();
    // Stage colours are 0x00BBGGRR: red, blue, green, yellow, magenta, cyan.
    const Values spot_checks = {
        {"report_rate", "2"},          {"report_rate_wireless", "1"},  {"dpi_index", "1"},
        {"dpi_group0_rgb", "255"},     {"dpi_group1_rgb", "16711680"}, {"dpi_group2_rgb", "65280"},
        {"dpi_group5_value", "26000"}, {"dpi_group8_rgb", "2139135"},  {"e-sports_flag", "0"},
    };
    for (const auto& [key, value] : spot_checks) {
        EXPECT_EQ(seeds.at(key), value) << key;
    }
    EXPECT_EQ(DefaultConfigRows().front().key, "version");
    EXPECT_EQ(DefaultConfigRows().back().key, "doubleclick_time");
}

class ApplyDefaultsTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        ASSERT_EQ(db_.AddProfile({.name = "P1"}, DefaultConfigRows()), 1);
        ASSERT_EQ(db_.AddProfile({.name = "P2"}, DefaultConfigRows()), 2);
    }

    // The profile's rows as the file holds them, read past the code under test.
    Values FileValues(int profile) {
        Values values;
        for (const auto& row : RawQuery(
                 file(), "SELECT key, value FROM t_configdata WHERE profile = " + std::to_string(profile))) {
            values[row.at(0)] = row.at(1);
        }
        return values;
    }
};

struct ApplyCase {
    const char* label;
    std::string mouse_info;
    DefaultsScope scope;
    Values changes;  // keys that differ from the seeds afterwards
};

const std::string kFull =
    R"(<dpi_info default_dpi="3" dpi_count="4"><dpi_1 value="400" color="#FF8000"/><dpi_2 value="900" color="#00FF00"/>)"
    R"(<dpi_3 value="1000" color="#0000FF"/><dpi_4 value="2000" color="#12"/><dpi_5 value="5000" color="#1234567"/>)"
    R"(<dpi_6 value="12000" color="#FFFFFF"/></dpi_info><report_rate default_value="8"/><sleep_light value="180"/>)"
    R"(<move_wakeup value="0"/><move_closelight value="0"/><lod value="2"/>)";

const Values kFullDpi = {
    {"dpi_index", "3"},
    {"dpi_count", "4"},
    {"dpi_flag", "4"},
    {"dpi_group0_value", "400"},
    {"dpi_group0_rgb", "33023"},
    {"dpi_group1_value", "900"},
    {"dpi_group1_rgb", "65280"},
    {"dpi_group2_value", "1000"},
    {"dpi_group2_rgb", "16711680"},
    {"dpi_group3_value", "2000"},
    {"dpi_group3_rgb", "18"},
    {"dpi_group4_value", "5000"},
    {"dpi_group4_rgb", "0"},
    {"dpi_group5_value", "12000"},
    {"dpi_group5_rgb", "16777215"},
};

Values Merge(Values a, const Values& b) {
    a.insert(b.begin(), b.end());
    return a;
}

TEST_F(ApplyDefaultsTest, OverridesOnlyWhatTheDescriptionHas) {
    const ApplyCase cases[] = {
        {"everything", kFull, DefaultsScope::kAll,
         // report_rate_wireless keeps its seed 1.
         Merge(kFullDpi, {{"report_rate", "8"},
                          {"sleep_light", "180"},
                          {"move_wakeup", "0"},
                          {"move_closelight", "0"},
                          {"liftoff_height", "2"}})},
        {"dpi only", kFull, DefaultsScope::kDpiOnly, kFullDpi},
        {"no dpi_info",
         R"(<report_rate default_value="1"/><lod value="2"/>)",
         DefaultsScope::kAll,
         {{"report_rate", "1"}, {"liftoff_height", "2"}}},
        {"nothing", "", DefaultsScope::kAll, {}},
        {"stage without attributes and missing stages",
         R"(<dpi_info default_dpi="0" dpi_count="6"><dpi_2/><dpi_6 value="7" color="#0000"/></dpi_info>)",
         DefaultsScope::kAll,
         {{"dpi_index", "0"},
          {"dpi_group1_value", ""},
          {"dpi_group1_rgb", "0"},
          {"dpi_group5_value", "7"},
          {"dpi_group5_rgb", "0"}}},
        {"text copied unchanged",
         R"(<report_rate default_value="fast"/><sleep_light value="-1"/>)",
         DefaultsScope::kAll,
         {{"report_rate", "fast"}, {"sleep_light", "-1"}}},
    };
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.label);
        for (const ConfigRow& row : DefaultConfigRows()) {
            ASSERT_TRUE(db_.SetConfigValue(1, row.key, row.value));
        }
        EXPECT_TRUE(ApplyDeviceDefaults(db_, 1, Defaults(c.mouse_info), c.scope));
        EXPECT_EQ(FileValues(1), Merge(c.changes, Seeds()));
        EXPECT_EQ(FileValues(2), Seeds()) << "another profile changed";
    }
}

TEST_F(ApplyDefaultsTest, ProfileWithoutRowsStaysEmpty) {
    EXPECT_TRUE(ApplyDeviceDefaults(db_, 3, Defaults(kFull), DefaultsScope::kAll));
    EXPECT_TRUE(FileValues(3).empty());
}

TEST_F(ApplyDefaultsTest, FromFileNeedsAReadableDescription) {
    const std::string path = (folder_.path() / "device" / "m1.xml").string();
    EXPECT_FALSE(ApplyDeviceDefaults(db_, 1, path, DefaultsScope::kAll)) << "missing file";
    mousedeck::test::WriteFile(path, "<mouse><mouse_info>" + kFull);  // cut short
    EXPECT_FALSE(ApplyDeviceDefaults(db_, 1, path, DefaultsScope::kAll));
    EXPECT_EQ(FileValues(1), Seeds());

    mousedeck::test::WriteFile(path, "<mouse><mouse_info>" + kFull + "</mouse_info></mouse>");
    EXPECT_TRUE(ApplyDeviceDefaults(db_, 1, path, DefaultsScope::kDpiOnly));
    EXPECT_EQ(FileValues(1), Merge(kFullDpi, Seeds()));
}

TEST_F(ApplyDefaultsTest, ClosedDatabaseReportsFailure) {
    db_.Close();
    EXPECT_FALSE(ApplyDeviceDefaults(db_, 1, Defaults(kFull), DefaultsScope::kAll));
    EXPECT_TRUE(ApplyDeviceDefaults(db_, 1, Defaults(""), DefaultsScope::kAll)) << "nothing to write";
}

}  // namespace
}  // namespace mousedeck::store::test
