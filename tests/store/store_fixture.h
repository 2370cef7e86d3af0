#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store/settings_database.h"
#include "store/store_events.h"
#include "support/temp_home.h"

namespace mousedeck::store::test {

// Remembers every replaced database as {original, moved to}.
class RecordingEvents : public StoreEvents {
public:
    void OnDatabaseReplaced(const std::string& original, const std::string& moved_to) override {
        replaced.push_back({original, moved_to});
    }
    std::vector<std::vector<std::string>> replaced;
};

// A settings database freshly created for device "M1" in a private folder.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(db_.OpenForDevice(folder_.path(), "M1", 101)); }

    std::filesystem::path file() const { return SettingsDatabase::DatabaseFile(folder_.path(), "M1"); }

    mousedeck::test::TempDir folder_;
    SettingsDatabase db_;
};

}  // namespace mousedeck::store::test
