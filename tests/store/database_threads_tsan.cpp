// Record operations from one thread while another switches the database
// between two devices: every operation must land whole in one of the two
// files, never on a closed or half-open connection.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "raw_sqlite.h"
#include "store/settings_database.h"
#include "support/temp_home.h"

namespace mousedeck::store::test {
namespace {

TEST(DatabaseThreadsTest, OperationsDuringDeviceSwitchesLandWholeInOneFile) {
    mousedeck::test::TempDir folder;
    SettingsDatabase db;
    for (const char* device : {"A", "B"}) {
        ASSERT_TRUE(db.OpenForDevice(folder.path(), device, 101));
        ASSERT_EQ(db.AddProfile({.name = device}, std::vector<ConfigRow>{{"marker", device}}), 1);
    }

    std::atomic<bool> stop{false};
    std::atomic<int> writes{0};
    std::vector<std::string> problems;
    std::thread pages([&] {
        for (int i = 0; !stop.load() || i < 50; ++i) {
            const auto marker = db.GetConfigValue(1, "marker");
            if (marker != "A" && marker != "B") {
                problems.push_back("read " + marker.value_or("<nothing>"));
            }
            if (db.AddConfigValue(1, "tick", std::to_string(i))) {
                ++writes;
            } else {
                problems.push_back("write failed");
            }
            if (db.ListProfiles().size() != 1) {
                problems.push_back("profile list");
            }
        }
    });
    for (int i = 0; i < 100; ++i) {
        EXPECT_TRUE(db.OpenForDevice(folder.path(), i % 2 == 0 ? "A" : "B", 101));
    }
    stop = true;
    pages.join();
    db.Close();

    EXPECT_TRUE(problems.empty()) << problems.front();
    int ticks = 0;
    for (const char* device : {"A", "B"}) {
        ticks += std::stoi(RawValue(SettingsDatabase::DatabaseFile(folder.path(), device),
                                    "SELECT count(*) FROM t_configdata WHERE key = 'tick'"));
    }
    EXPECT_EQ(ticks, writes.load());
    EXPECT_GE(writes.load(), 50);
}

}  // namespace
}  // namespace mousedeck::store::test
