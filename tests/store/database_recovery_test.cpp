#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "raw_sqlite.h"
#include "store/database_file.h"
#include "store/settings_database.h"
#include "store_fixture.h"
#include "support/temp_home.h"

namespace mousedeck::store::test {
namespace {

using mousedeck::test::ReadFile;
using mousedeck::test::TempDir;
using mousedeck::test::WriteFile;

// A real settings database with enough rows to span several pages.
std::string SoundDatabaseBytes() {
    TempDir scratch;
    {
        SettingsDatabase db;
        EXPECT_TRUE(db.OpenForDevice(scratch.path(), "seed", 101));
        for (int i = 0; i < 200; ++i) {
            db.AddMacro("macro number " + std::to_string(i) + std::string(60, 'x'));
        }
    }
    return ReadFile(SettingsDatabase::DatabaseFile(scratch.path(), "seed"));
}

struct DamageCase {
    const char* name;
    std::function<std::string(const std::string& sound)> damage;
};

const DamageCase kDamageCases[] = {
    {"text file", [](const std::string&) { return std::string("these are not the settings you want\n"); }},
    {"truncated to two pages", [](const std::string& sound) { return sound.substr(0, 8192); }},
    {"truncated inside the header", [](const std::string& sound) { return sound.substr(0, 50); }},
    {"page fails quick_check",
     [](const std::string& sound) {
         std::string bytes = sound;
         bytes.replace(2 * 4096, 8, std::string(8, '\xff'));
         return bytes;
     }},
};

TEST(DatabaseRecoveryTest, DamagedFileIsMovedAsideReplacedAndReportedOnce) {
    const std::string sound = SoundDatabaseBytes();
    ASSERT_GT(sound.size(), 4u * 4096u);
    // POSIX extended syntax: gtest matches with the system's regex library.
    const char* const moved_name = R"(M1_data1\.db\.corrupt-[0-9]{8}T[0-9]{6}Z(-[0-9]+)?)";
    for (const DamageCase& c : kDamageCases) {
        SCOPED_TRACE(c.name);
        TempDir folder;
        const auto file = SettingsDatabase::DatabaseFile(folder.path(), "M1");
        const std::string damaged = c.damage(sound);
        WriteFile(file, damaged);

        RecordingEvents events;
        SettingsDatabase db(&events);
        ASSERT_TRUE(db.OpenForDevice(folder.path(), "M1", 101));
        ASSERT_EQ(events.replaced.size(), 1u);
        EXPECT_EQ(events.replaced[0][0], file.string());
        const std::filesystem::path moved = events.replaced[0][1];
        EXPECT_EQ(moved.parent_path(), file.parent_path());
        EXPECT_THAT(moved.filename().string(), ::testing::MatchesRegex(moved_name));
        EXPECT_EQ(ReadFile(moved), damaged);

        // The new database works, and opening it again reports nothing new.
        EXPECT_EQ(db.AddProfile({.name = "fresh"}), 1);
        ASSERT_TRUE(db.OpenForDevice(folder.path(), "M1", 101));
        EXPECT_EQ(db.GetProfileName(1), "fresh");
        EXPECT_EQ(events.replaced.size(), 1u);
    }
}

TEST(DatabaseRecoveryTest, SoundFileIsKept) {
    TempDir folder;
    const auto file = SettingsDatabase::DatabaseFile(folder.path(), "M1");
    const std::string sound = SoundDatabaseBytes();
    WriteFile(file, sound);
    RecordingEvents events;
    SettingsDatabase db(&events);
    ASSERT_TRUE(db.OpenForDevice(folder.path(), "M1", 101));
    EXPECT_TRUE(events.replaced.empty());
    EXPECT_EQ(db.ListMacros().size(), 200u);
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path())) {
        EXPECT_EQ(entry.path().string().find(".corrupt"), std::string::npos) << entry.path();
    }
}

TEST(DatabaseRecoveryTest, LogFilesTravelWithTheDamagedFile) {
    TempDir folder;
    const auto file = SettingsDatabase::DatabaseFile(folder.path(), "M1");
    WriteFile(file, "garbage");
    auto wal = file;
    wal += "-wal";
    WriteFile(wal, "stale log");
    RecordingEvents events;
    SettingsDatabase db(&events);
    ASSERT_TRUE(db.OpenForDevice(folder.path(), "M1", 101));
    ASSERT_EQ(events.replaced.size(), 1u);
    std::filesystem::path moved_wal = events.replaced[0][1];
    moved_wal += "-wal";
    EXPECT_EQ(ReadFile(moved_wal), "stale log");
    EXPECT_NE(db.AddMacro("new"), 0);
}

TEST(DatabaseRecoveryTest, CorruptNamesNeverCollide) {
    TempDir folder;
    const auto file = folder / "x.db";
    const auto first = CorruptFileName(file);
    WriteFile(first, "taken");
    const auto second = CorruptFileName(file);
    EXPECT_NE(first, second);
    EXPECT_FALSE(std::filesystem::exists(second));
    EXPECT_EQ(second.string().rfind(file.string() + ".corrupt-", 0), 0u);
}

}  // namespace
}  // namespace mousedeck::store::test
