#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "devices/device_defaults.h"
#include "devices/product_paths.h"
#include "store/profile_setup.h"
#include "store/settings_database.h"
#include "support/temp_home.h"

namespace mousedeck::pages::test {

// A settings database of its own whose four profiles were made as the
// application makes them: EnsureProfiles with the shipped wireless demo's
// defaults (six stages, stage 2 active, 1000 Hz, sleep 60, lift-off 1).
class ProfileDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(db.OpenForDevice(folder.path(), "demo_w1", 101));
        const std::optional<devices::DeviceDefaults> defaults = devices::LoadDeviceDefaults(
            devices::DescriptionPath(mousedeck::test::ExecutableFolder().string(), "demo_w1"));
        ASSERT_TRUE(defaults.has_value());
        store::ProfileView view;
        profile = store::EnsureProfiles(
            db, defaults, [](int) { return std::string("Profile"); }, view);
        ASSERT_EQ(profile, 1);
    }

    void Set(std::string_view key, std::string_view value) {
        ASSERT_TRUE(db.SetConfigValue(profile, key, value));
    }

    mousedeck::test::TempDir folder;
    store::SettingsDatabase db;
    int profile = 0;
};

}  // namespace mousedeck::pages::test
