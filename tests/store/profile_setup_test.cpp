#include "store/profile_setup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devices/device_defaults.h"
#include "devices/product_paths.h"
#include "raw_sqlite.h"
#include "store/config_defaults.h"
#include "store_fixture.h"
#include "support/temp_home.h"

namespace mousedeck::store::test {
namespace {

struct DisplayCase {
    std::string stored;
    std::string word;
    std::string shown;
};

TEST(ProfileDisplayNameTest, DefaultPrefixesFollowTheInterfaceLanguage) {
    const DisplayCase cases[] = {
        {"Profile 3", "Profil", "Profil  3"},  // the remainder keeps its own space
        {"Profile 1", "Profile", "Profile  1"},
        {"配置 2", "Profile", "Profile  2"},
        {"Profile", "配置", "配置 "},
        {"ProfileX", "P", "P X"},
        {"profile 3", "Profil", "profile 3"},  // case-sensitive
        {"Gaming", "Profil", "Gaming"},
        {"配", "Profil", "配"},
        {"My Profile 1", "Profil", "My Profile 1"},
        {"", "Profil", ""},
    };
    for (const DisplayCase& c : cases) {
        EXPECT_EQ(ProfileDisplayName(c.stored, c.word), c.shown) << "stored \"" << c.stored << "\"";
    }
    EXPECT_EQ(DefaultProfileName("Profile", 4), "Profile 4");
}

class RecordingProfileView : public ProfileView {
public:
    std::vector<std::string> names;
    void ShowProfileName(const std::string& display_name) override { names.push_back(display_name); }
};

// The shipped wireless demo's defaults, as the application reads them.
devices::DeviceDefaults DemoDefaults() {
    const auto defaults = devices::LoadDeviceDefaults(
        devices::DescriptionPath(mousedeck::test::ExecutableFolder().string(), "demo_w1"));
    EXPECT_TRUE(defaults.has_value());
    return defaults.value_or(devices::DeviceDefaults{});
}

class ProfileSetupTest : public StoreTest {
protected:
    RecordingProfileView view;
    devices::TextLookup text = [](int number) {
        return number == kProfileWordText ? std::string("Profile") : std::string("?");
    };

    std::string Raw(const std::string& sql) { return RawValue(file(), sql); }
};

TEST_F(ProfileSetupTest, NewDatabaseGetsFourProfilesWithEveryKeyAndTheDeviceDefaults) {
    const devices::DeviceDefaults defaults = DemoDefaults();
    ASSERT_TRUE(defaults.dpi.has_value());

    EXPECT_EQ(EnsureProfiles(db_, defaults, text, view), 1);
    EXPECT_EQ(view.names, std::vector<std::string>{"Profile  1"});
    db_.Close();

    // Checked in the file itself.
    EXPECT_EQ(
        RawQuery(file(), "SELECT profile, name, status, app, type FROM t_profile_data ORDER BY profile"),
        (Rows{{"1", "Profile 1", "1", "", "0"},
              {"2", "Profile 2", "0", "", "0"},
              {"3", "Profile 3", "0", "", "0"},
              {"4", "Profile 4", "0", "", "0"}}));
    for (int profile = 1; profile <= 4; ++profile) {
        SCOPED_TRACE(profile);
        const std::string where = " FROM t_configdata WHERE profile = " + std::to_string(profile);
        EXPECT_EQ(Raw("SELECT count(*)" + where), std::to_string(DefaultConfigRows().size()));
        EXPECT_EQ(Raw("SELECT count(DISTINCT key)" + where), std::to_string(DefaultConfigRows().size()));
        // demo_w1: default_dpi 2, six stages, stage 2 colour #FF8000, report rate 1, sleep 60, lod 1.
        EXPECT_EQ(Raw("SELECT value" + where + " AND key = 'dpi_index'"), defaults.dpi->default_dpi);
        EXPECT_EQ(Raw("SELECT value" + where + " AND key = 'dpi_count'"), defaults.dpi->dpi_count);
        EXPECT_EQ(Raw("SELECT value" + where + " AND key = 'dpi_flag'"), defaults.dpi->dpi_count);
        EXPECT_EQ(Raw("SELECT value" + where + " AND key = 'dpi_group1_rgb'"), "33023");
        EXPECT_EQ(Raw("SELECT value" + where + " AND key = 'report_rate'"), *defaults.report_rate);
        EXPECT_EQ(Raw("SELECT value" + where + " AND key = 'sleep_light'"), *defaults.sleep_light);
        EXPECT_EQ(Raw("SELECT value" + where + " AND key = 'liftoff_height'"), *defaults.lod);
        // Keys the description does not name keep their seeds.
        EXPECT_EQ(Raw("SELECT value" + where + " AND key = 'button_respondtime'"), "8");
        EXPECT_EQ(Raw("SELECT value" + where + " AND key = 'report_rate_wireless'"), "1");
    }
    EXPECT_EQ(Raw("SELECT count(*) FROM t_configdata"), std::to_string(4 * DefaultConfigRows().size()));
}

TEST_F(ProfileSetupTest, UnreadableDescriptionLeavesTheSeeds) {
    EXPECT_EQ(EnsureProfiles(db_, std::nullopt, text, view), 1);
    db_.Close();
    for (const ConfigRow& row : DefaultConfigRows()) {
        EXPECT_EQ(Raw("SELECT value FROM t_configdata WHERE profile = 4 AND key = '" + row.key + "'"),
                  row.value);
    }
}

TEST_F(ProfileSetupTest, ExistingProfilesAreKeptAndTheActiveOneBecomesCurrent) {
    EnsureProfiles(db_, std::nullopt, text, view);
    ASSERT_TRUE(db_.SetActiveProfile(3));
    ASSERT_TRUE(db_.RenameProfile(3, "Gaming"));
    ASSERT_TRUE(db_.SetConfigValue(3, "report_rate", "4"));

    EXPECT_EQ(EnsureProfiles(db_, DemoDefaults(), text, view), 3);
    EXPECT_EQ(view.names.back(), "Gaming");
    EXPECT_EQ(db_.ListProfiles().size(), 4u);
    EXPECT_EQ(db_.GetConfigValue(3, "report_rate"), "4") << "defaults go only into new profiles";
}

TEST_F(ProfileSetupTest, NoActiveProfileMakesTheFirstActive) {
    EnsureProfiles(db_, std::nullopt, text, view);
    ASSERT_TRUE(RawExec(file(), "UPDATE t_profile_data SET status = 0"));
    EXPECT_EQ(EnsureProfiles(db_, std::nullopt, text, view), 1);
    EXPECT_EQ(db_.GetActiveProfile(), 1);
}

TEST_F(ProfileSetupTest, WithoutProfileOneTheLowestRemainingBecomesCurrent) {
    EnsureProfiles(db_, std::nullopt, text, view);
    ASSERT_TRUE(RawExec(
        file(), "DELETE FROM t_profile_data WHERE profile = 1; UPDATE t_profile_data SET status = 0"));
    EXPECT_EQ(EnsureProfiles(db_, std::nullopt, text, view), 2);
    EXPECT_EQ(db_.GetActiveProfile(), 2);
}

TEST_F(ProfileSetupTest, ChineseProfileWordIsStoredAndShown) {
    devices::TextLookup chinese = [](int) { return std::string("配置"); };
    EnsureProfiles(db_, std::nullopt, chinese, view);
    EXPECT_EQ(db_.GetProfileName(4), "配置 4");
    EXPECT_EQ(view.names.back(), "配置  1");
    // Names follow the interface language when it changes.
    ShowProfileName(db_, 2, text, view);
    EXPECT_EQ(view.names.back(), "Profile  2");
}

TEST_F(ProfileSetupTest, FactoryResetReappliesDefaultsToEveryProfileAndActivatesTheFirst) {
    const devices::DeviceDefaults defaults = DemoDefaults();
    EnsureProfiles(db_, defaults, text, view);
    for (int profile = 1; profile <= 4; ++profile) {
        ASSERT_TRUE(db_.SetConfigValue(profile, "dpi_group0_value", "123"));
        ASSERT_TRUE(db_.SetConfigValue(profile, "report_rate", "8"));
        ASSERT_TRUE(db_.SetConfigValue(profile, "button_respondtime", "3"));
    }
    ASSERT_TRUE(db_.SetActiveProfile(4));

    EXPECT_EQ(ResetProfilesToDefaults(db_, defaults, text, view), 1);
    EXPECT_EQ(db_.GetActiveProfile(), 1);
    EXPECT_EQ(view.names.back(), "Profile  1");
    db_.Close();
    for (int profile = 1; profile <= 4; ++profile) {
        const std::string where = " FROM t_configdata WHERE profile = " + std::to_string(profile);
        EXPECT_EQ(Raw("SELECT value" + where + " AND key = 'dpi_group0_value'"),
                  defaults.dpi->stages[0]->value);
        EXPECT_EQ(Raw("SELECT value" + where + " AND key = 'report_rate'"), *defaults.report_rate);
        // Not a description default: the mouse's own reset and the next read-back restore it.
        EXPECT_EQ(Raw("SELECT value" + where + " AND key = 'button_respondtime'"), "3");
        EXPECT_EQ(Raw("SELECT count(*)" + where), std::to_string(DefaultConfigRows().size()));
    }
}

TEST_F(ProfileSetupTest, ClosedDatabaseGivesNoCurrentProfile) {
    db_.Close();
    EXPECT_EQ(EnsureProfiles(db_, DemoDefaults(), text, view), 0);
    EXPECT_EQ(view.names, std::vector<std::string>{""});
}

}  // namespace
}  // namespace mousedeck::store::test
