#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "raw_sqlite.h"
#include "store/settings_database.h"
#include "store_fixture.h"
#include "support/temp_home.h"

namespace mousedeck::store::test {
namespace {

using mousedeck::test::TempDir;

// The file format other versions read: every table and index, in creation order.
const Rows kSchemaObjects = {
    {"table", "t_configdata", "t_configdata"},         {"table", "sqlite_sequence", "sqlite_sequence"},
    {"table", "t_profile_data", "t_profile_data"},     {"index", "profileindex", "t_profile_data"},
    {"table", "t_key_macro_data", "t_key_macro_data"}, {"index", "keyindex", "t_key_macro_data"},
    {"table", "t_key_otherdata", "t_key_otherdata"},   {"index", "otheridindex", "t_key_otherdata"},
    {"table", "t_macro_data", "t_macro_data"},         {"index", "macroidindex", "t_macro_data"},
    {"table", "t_macrorecord", "t_macrorecord"},       {"index", "macrorecordindex", "t_macrorecord"},
    {"table", "t_light_data", "t_light_data"},         {"index", "lightindex", "t_light_data"},
    {"table", "t_key_light_data", "t_key_light_data"}, {"index", "keylightindex", "t_key_light_data"},
};

struct TableColumns {
    const char* table;
    std::vector<std::string> columns;  // "name type pk"
};

const TableColumns kColumns[] = {
    {"t_configdata", {"config_id INTEGER 1", "profile INTEGER 0", "key TEXT 0", "value TEXT 0"}},
    {"t_profile_data",
     {"profile INTEGER 1", "name TEXT 0", "status INTEGER 0", "app TEXT 0", "type INTEGER 0"}},
    {"t_key_macro_data",
     {"key_id INTEGER 1", "profile INTEGER 0", "fn_layer INTEGER 0", "key_code INTEGER 0",
      "layout_value INTEGER 0", "layout_desc TEXT 0", "macro_type INTEGER 0", "macro_value INTEGER 0",
      "macro_value2 INTEGER 0", "macro_value3 INTEGER 0", "macro_desc TEXT 0"}},
    {"t_key_otherdata", {"macro_value INTEGER 1", "macro_desc TEXT 0", "param TEXT 0", "type INTEGER 0"}},
    {"t_macro_data",
     {"macro_id INTEGER 1", "name TEXT 0", "play_type INTEGER 0", "play_times INTEGER 0",
      "delay_type INTEGER 0", "delay_time INTEGER 0"}},
    {"t_macrorecord",
     {"record_id INTEGER 1", "macro_id INTEGER 0", "type INTEGER 0", "record_index INTEGER 0", "desc TEXT 0",
      "value INTEGER 0", "delay_time INTEGER 0"}},
    {"t_light_data",
     {"light_id INTEGER 1", "profile INTEGER 0", "name TEXT 0", "mode INTEGER 0", "brightness INTEGER 0",
      "speed INTEGER 0", "direction INTEGER 0", "colorful INTEGER 0", "colorindex INTEGER 0",
      "color_value1 INTEGER 0", "color_value2 INTEGER 0", "color_value3 INTEGER 0", "color_value4 INTEGER 0",
      "color_value5 INTEGER 0", "color_value6 INTEGER 0", "color_value7 INTEGER 0", "config_func INTEGER 0",
      "reserved INTEGER 0", "status INTEGER 0"}},
    {"t_key_light_data",
     {"keylight_id INTEGER 1", "profile INTEGER 0", "light_id INTEGER 0", "key_code INTEGER 0",
      "key_rgb INTEGER 0"}},
};

std::vector<std::string> ColumnsOf(const std::filesystem::path& file, const std::string& table) {
    std::vector<std::string> columns;
    for (const auto& row : RawQuery(file, "SELECT name, type, pk FROM pragma_table_info('" + table + "')")) {
        columns.push_back(row[0] + " " + row[1] + " " + row[2]);
    }
    return columns;
}

using NewDatabaseTest = StoreTest;

TEST_F(NewDatabaseTest, HasEveryTableAndIndexInOrderAndNoRows) {
    db_.Close();
    EXPECT_EQ(RawQuery(file(), "SELECT type, name, tbl_name FROM sqlite_master ORDER BY rowid"),
              kSchemaObjects);
    for (const TableColumns& table : kColumns) {
        EXPECT_EQ(ColumnsOf(file(), table.table), table.columns) << table.table;
        EXPECT_EQ(RawValue(file(), std::string("SELECT count(*) FROM ") + table.table), "0") << table.table;
    }
}

TEST_F(NewDatabaseTest, IsInWalModeAndReportsItsPath) {
    EXPECT_TRUE(db_.opened());
    EXPECT_EQ(db_.device_type(), 101);
    EXPECT_EQ(db_.path(), (folder_.path() / "db" / "M1_data1.db").string());
    EXPECT_EQ(RawValue(file(), "PRAGMA journal_mode"), "wal");
}

TEST_F(NewDatabaseTest, OpeningAgainKeepsRowsAndDoesNotRunTheSchema) {
    ASSERT_NE(db_.AddProfile({.name = "kept"}), 0);
    db_.Close();
    ASSERT_TRUE(RawExec(file(), "DROP INDEX keyindex"));
    ASSERT_TRUE(db_.OpenForDevice(folder_.path(), "M1", 101));
    EXPECT_EQ(db_.GetProfileName(1), "kept");
    EXPECT_EQ(RawValue(file(), "SELECT count(*) FROM sqlite_master WHERE name = 'keyindex'"), "0");
}

TEST(DatabaseSwitchTest, SelectingAnotherDeviceSwitchesFiles) {
    TempDir folder;
    SettingsDatabase db;
    ASSERT_TRUE(db.OpenForDevice(folder.path(), "A", 101));
    ASSERT_NE(db.AddProfile({.name = "on A"}), 0);
    ASSERT_TRUE(db.OpenForDevice(folder.path(), "B", 102));
    EXPECT_EQ(db.device_type(), 102);
    EXPECT_TRUE(db.ListProfiles().empty());
    ASSERT_NE(db.AddProfile({.name = "on B"}), 0);
    ASSERT_TRUE(db.OpenForDevice(folder.path(), "A", 101));
    EXPECT_EQ(db.GetProfileName(1), "on A");
    db.Close();
    EXPECT_EQ(RawValue(SettingsDatabase::DatabaseFile(folder.path(), "B"), "SELECT name FROM t_profile_data"),
              "on B");
}

TEST(DatabaseSwitchTest, CreatesAMissingDbFolder) {
    TempDir folder;
    SettingsDatabase db;
    ASSERT_TRUE(db.OpenForDevice(folder / "not yet", "M1", 101));
    EXPECT_TRUE(std::filesystem::exists(folder / "not yet" / "db" / "M1_data1.db"));
}

TEST(DatabaseSwitchTest, AFailedOpenDoesNotLeaveThePreviousFileInUse) {
    TempDir folder;
    RecordingEvents events;
    SettingsDatabase db(&events);
    ASSERT_TRUE(db.OpenForDevice(folder.path(), "A", 101));
    // A folder where device B's file belongs: it cannot be opened, and it is
    // not something to move aside either.
    const auto blocked = SettingsDatabase::DatabaseFile(folder.path(), "B");
    std::filesystem::create_directories(blocked);
    EXPECT_FALSE(db.OpenForDevice(folder.path(), "B", 102));
    EXPECT_FALSE(db.opened());
    EXPECT_EQ(db.AddProfile({.name = "meant for B"}), 0);
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    EXPECT_TRUE(events.replaced.empty());
    db.Close();
    EXPECT_EQ(
        RawValue(SettingsDatabase::DatabaseFile(folder.path(), "A"), "SELECT count(*) FROM t_profile_data"),
        "0");
}

TEST(DatabaseSwitchTest, AnEmptyFileLeftByAnInterruptedCreationGetsTheSchema) {
    TempDir folder;
    RecordingEvents events;
    const auto file = SettingsDatabase::DatabaseFile(folder.path(), "M1");
    mousedeck::test::WriteFile(file, "");
    SettingsDatabase db(&events);
    ASSERT_TRUE(db.OpenForDevice(folder.path(), "M1", 101));
    EXPECT_NE(db.AddProfile({.name = "works"}), 0);
    EXPECT_TRUE(events.replaced.empty());
}

// With no database open every operation fails quietly.
void ExpectEveryOperationFailsQuietly(SettingsDatabase& db) {
    EXPECT_FALSE(db.GetConfigValue(1, "report_rate"));
    EXPECT_FALSE(db.SetConfigValue(1, "report_rate", "2"));
    EXPECT_FALSE(db.AddConfigValue(1, "report_rate", "2"));
    EXPECT_EQ(db.AddProfile({.name = "p"}, std::vector<ConfigRow>{{"k", "v"}}), 0);
    EXPECT_FALSE(db.RenameProfile(1, "p"));
    EXPECT_FALSE(db.GetProfileName(1));
    EXPECT_TRUE(db.ListProfiles().empty());
    EXPECT_FALSE(db.SetActiveProfile(1));
    EXPECT_EQ(db.GetActiveProfile(), 0);
    EXPECT_EQ(db.SaveBinding({.profile = 1, .key_code = 1, .macro_value = 1}), 0);
    EXPECT_FALSE(db.GetBinding(1, 1));
    EXPECT_FALSE(db.SetBindingDescription(1, 1, "x"));
    EXPECT_TRUE(db.ListBindings(1).empty());
    EXPECT_FALSE(db.DeleteBindings(1));
    EXPECT_EQ(db.CountLightRows(1), 0);
    EXPECT_EQ(db.AddLightRow({.profile = 1}), 0);
    EXPECT_FALSE(db.UpdateLightRow({.profile = 1}, 1));
    EXPECT_FALSE(db.SetActiveLight(1, 1));
    EXPECT_EQ(db.GetActiveLightMode(1), 0);
    EXPECT_FALSE(db.GetLightRow(1, 1));
    EXPECT_TRUE(db.ListLightRows(1).empty());
    EXPECT_EQ(db.AddMacro("m"), 0);
    EXPECT_EQ(db.AddMacroEntry({.name = "m"}), 0);
    EXPECT_FALSE(db.RenameMacro(1, "m"));
    EXPECT_FALSE(db.UpdateMacro({.macro_id = 1}));
    EXPECT_FALSE(db.DeleteMacro(1));
    EXPECT_FALSE(db.GetMacro(1));
    EXPECT_TRUE(db.ListMacros().empty());
    EXPECT_EQ(db.AddMacroRecord({.macro_id = 1}), 0);
    EXPECT_FALSE(db.AddMacroRecords(std::vector<MacroRecord>{{.macro_id = 1}}));
    EXPECT_TRUE(db.ListMacroRecords(1).empty());
    EXPECT_FALSE(db.DeleteMacroRecords(1));
}

TEST(ClosedDatabaseTest, NeverOpened) {
    SettingsDatabase db;
    EXPECT_FALSE(db.opened());
    EXPECT_EQ(db.path(), "");
    ExpectEveryOperationFailsQuietly(db);
}

TEST_F(NewDatabaseTest, AfterClose) {
    ASSERT_NE(db_.AddProfile({.name = "p"}, std::vector<ConfigRow>{{"report_rate", "2"}}), 0);
    db_.Close();
    EXPECT_FALSE(db_.opened());
    ExpectEveryOperationFailsQuietly(db_);
}

}  // namespace
}  // namespace mousedeck::store::test
