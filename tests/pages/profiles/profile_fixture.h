#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "devices/text_lookup.h"
#include "pages/profiles/profile_export.h"
#include "store/config_defaults.h"
#include "store/profile_setup.h"
#include "store/raw_sqlite.h"
#include "store/settings_database.h"
#include "support/temp_home.h"

namespace mousedeck::pages::profiles {

// Remembers the names the profile button was given.
class RecordingProfileView : public store::ProfileView {
public:
    void ShowProfileName(const std::string& display_name) override { shown.push_back(display_name); }
    std::vector<std::string> shown;
};

// A database with two profiles seeded as new profiles are, profile 1 with
// three button assignments and three lighting rows (effect 2 active), and a
// profile word ("Profil") that differs from the stored one.
class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(db_.OpenForDevice(data_.path(), "M1", 101));
        ASSERT_EQ(db_.AddProfile({.name = "Profile 1"}, store::DefaultConfigRows()), 1);
        ASSERT_EQ(db_.AddProfile({.name = "Profile 2"}, store::DefaultConfigRows()), 2);
        ASSERT_TRUE(db_.SetActiveProfile(1));
        Bind(1, 1, 1, 3, 0, "Right click");
        Bind(1, 5, 4, 3, 0, "Custom 1");
        Bind(1, 7, 2, 4, 2, "Shift + A");
        for (int profile : {1, 2}) {
            AddLight(profile, 1, 0x003, 280);
            AddLight(profile, 2, 0x813, 281);
            AddLight(profile, 0, 0x000, 285);
        }
        ASSERT_TRUE(db_.SetActiveLight(1, 2));
        ASSERT_TRUE(db_.SetActiveLight(2, 1));
    }

    void Bind(int profile, int key_code, int family, int value, int value2, const std::string& desc,
              int layer = 0) {
        ASSERT_NE(db_.SaveBinding({.profile = profile,
                                   .fn_layer = layer,
                                   .key_code = key_code,
                                   .macro_type = family,
                                   .macro_value = value,
                                   .macro_value2 = value2,
                                   .macro_desc = desc}),
                  0);
    }

    // A lighting row as a new profile gets it.
    void AddLight(int profile, int mode, int config_func, int reserved) {
        ASSERT_GT(db_.AddLightRow(
                      {.profile = profile,
                       .name = "effect " + std::to_string(mode),
                       .mode = mode,
                       .brightness = 4,
                       .speed = 2,
                       .direction = 0,
                       .colorful = 1,
                       .colorindex = 0,
                       .color_values = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF},
                       .config_func = config_func,
                       .reserved = reserved}),
                  0);
    }

    ProfileTarget Target(int profile, bool lighting = true) { return {db_, profile, lighting}; }
    std::string FilePath(const std::string& name) const { return (files_ / name).string(); }
    std::filesystem::path DatabaseFile() const {
        return store::SettingsDatabase::DatabaseFile(data_.path(), "M1");
    }

    // Everything an import may change in `profile`, read straight from the
    // file: name, assignments of every layer, lighting rows with their
    // status, and every configuration key.
    store::test::Rows State(int profile) const {
        const std::string p = std::to_string(profile);
        store::test::Rows rows =
            store::test::RawQuery(DatabaseFile(), "SELECT name FROM t_profile_data WHERE profile = " + p);
        for (const std::string& sql :
             {"SELECT fn_layer, key_code, layout_value, layout_desc, macro_type, macro_value, macro_value2, "
              "macro_value3, macro_desc FROM t_key_macro_data WHERE profile = " +
                  p + " ORDER BY fn_layer, key_code",
              "SELECT name, mode, brightness, speed, direction, colorful, colorindex, color_value1, "
              "color_value2, "
              "color_value3, color_value4, color_value5, color_value6, color_value7, config_func, reserved, "
              "status "
              "FROM t_light_data WHERE profile = " +
                  p + " ORDER BY light_id",
              "SELECT key, value FROM t_configdata WHERE profile = " + p + " ORDER BY config_id"}) {
            for (auto& row : store::test::RawQuery(DatabaseFile(), sql)) {
                rows.push_back(std::move(row));
            }
        }
        return rows;
    }

    test::TempDir data_;
    test::TempDir files_;
    store::SettingsDatabase db_;
    devices::TextLookup text_ = [](int number) {
        return number == 61 ? std::string("Profil") : std::string();
    };
    RecordingProfileView view_;
    int writes_ = 0;
    std::function<void()> write_all_ = [this] { ++writes_; };
};

}  // namespace mousedeck::pages::profiles
