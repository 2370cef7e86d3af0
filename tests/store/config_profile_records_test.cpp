#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "raw_sqlite.h"
#include "store_fixture.h"

namespace mousedeck::store::test {
namespace {

const std::vector<ConfigRow> kSeed = {{"version", "1.0.1"}, {"report_rate", "2"}, {"dpi_index", "1"}};

class ConfigProfileTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        for (int i = 1; i <= 4; ++i) {
            ASSERT_EQ(db_.AddProfile({.name = "Profile " + std::to_string(i), .app = "app"}, kSeed), i);
        }
    }
};

TEST_F(ConfigProfileTest, ProfilesComeBackNumberedInOrderWithFixedStatusAndType) {
    const std::vector<ProfileEntry> expected = {
        {1, "Profile 1", "app", 0, 0},
        {2, "Profile 2", "app", 0, 0},
        {3, "Profile 3", "app", 0, 0},
        {4, "Profile 4", "app", 0, 0},
    };
    EXPECT_EQ(db_.ListProfiles(), expected);
}

TEST_F(ConfigProfileTest, EachProfileGetsItsSeedRowsInOrder) {
    db_.Close();
    const Rows rows = RawQuery(file(), "SELECT profile, key, value FROM t_configdata ORDER BY config_id");
    ASSERT_EQ(rows.size(), 4 * kSeed.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const ConfigRow& seed = kSeed[i % kSeed.size()];
        EXPECT_EQ(rows[i],
                  (std::vector<std::string>{std::to_string(1 + i / kSeed.size()), seed.key, seed.value}));
    }
}

TEST_F(ConfigProfileTest, KeysAreReadAndWrittenPerProfile) {
    EXPECT_EQ(db_.GetConfigValue(2, "report_rate"), "2");
    EXPECT_TRUE(db_.SetConfigValue(2, "report_rate", "8"));
    EXPECT_EQ(db_.GetConfigValue(2, "report_rate"), "8");
    EXPECT_EQ(db_.GetConfigValue(1, "report_rate"), "2");
    EXPECT_EQ(db_.GetConfigValue(3, "version"), "1.0.1");
}

TEST_F(ConfigProfileTest, MissingKeysAreNotFoundAndUpdatesOfThemChangeNothing) {
    EXPECT_EQ(db_.GetConfigValue(1, "button_respondtime"), std::nullopt);
    EXPECT_EQ(db_.GetConfigValue(9, "report_rate"), std::nullopt);
    EXPECT_TRUE(db_.SetConfigValue(1, "button_respondtime", "4"));
    EXPECT_EQ(db_.GetConfigValue(1, "button_respondtime"), std::nullopt);
    EXPECT_TRUE(db_.AddConfigValue(1, "button_respondtime", "4"));
    EXPECT_EQ(db_.GetConfigValue(1, "button_respondtime"), "4");
}

TEST_F(ConfigProfileTest, OneProfileIsActiveAtATime) {
    EXPECT_EQ(db_.GetActiveProfile(), 0);
    EXPECT_TRUE(db_.SetActiveProfile(3));
    EXPECT_EQ(db_.GetActiveProfile(), 3);
    EXPECT_TRUE(db_.SetActiveProfile(2));
    EXPECT_EQ(db_.GetActiveProfile(), 2);
    EXPECT_EQ(db_.ListProfiles()[2].status, 0);
    // A profile that does not exist: the update matches nothing and succeeds,
    // leaving no profile active for the caller to notice.
    EXPECT_TRUE(db_.SetActiveProfile(7));
    EXPECT_EQ(db_.GetActiveProfile(), 0);
}

TEST_F(ConfigProfileTest, RenameAndName) {
    EXPECT_TRUE(db_.RenameProfile(4, "Work"));
    EXPECT_EQ(db_.GetProfileName(4), "Work");
    EXPECT_EQ(db_.GetProfileName(5), std::nullopt);
    EXPECT_TRUE(db_.RenameProfile(5, "nobody"));
    EXPECT_EQ(db_.ListProfiles().size(), 4u);
}

TEST_F(StoreTest, AProfileIsNeverLeftWithoutItsRows) {
    // With the key table gone the seed rows cannot be written; the profile
    // insert must not survive on its own.
    db_.Close();
    ASSERT_TRUE(RawExec(file(), "DROP TABLE t_configdata"));
    ASSERT_TRUE(db_.OpenForDevice(folder_.path(), "M1", 101));
    EXPECT_EQ(db_.AddProfile({.name = "half"}, kSeed), 0);
    EXPECT_TRUE(db_.ListProfiles().empty());
    EXPECT_NE(db_.AddProfile({.name = "no rows asked for"}), 0);
}

}  // namespace
}  // namespace mousedeck::store::test
