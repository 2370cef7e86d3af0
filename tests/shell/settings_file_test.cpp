#include "shell/settings_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "support/temp_home.h"

namespace mousedeck::shell {
namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
protected:
    test::TempDir root;
    fs::path file = root / "Product Line/settings.ini";
    SettingsFile settings{file};
};

TEST_F(SettingsFileTest, StoredTextReadsAsLenientDecimal) {
    struct Case {
        std::string line;
        int expected;
    };
    const Case cases[] = {
        {"exit_mode=01", 1},    {"exit_mode=yes", 0},
        {"exit_mode=1", 1},     {"exit_mode= 7 ", 7},
        {"exit_mode=", 0},      {"exit_mode", 0},
        {"other=5", 0},         {"EXIT_MODE=3", 3},
        {"exit_mode=\"4\"", 4}, {"exit_mode=-2", -2},
        {"exit_mode=12ab", 12}, {"[section]\nexit_mode=9", 0},  // values live before any section
    };
    for (const Case& c : cases) {
        test::WriteFile(file, c.line + "\n");
        EXPECT_EQ(settings.ReadRegistryNumber(kExitModeValue), c.expected) << c.line;
    }
}

TEST_F(SettingsFileTest, AbsentFileIsCreatedByReadsButNotByDeviceTypeOrWrites) {
    EXPECT_FALSE(settings.WriteRegistryNumber(kDeviceTypeValue, 101));
    EXPECT_EQ(settings.ReadDeviceType(), 0);
    EXPECT_FALSE(fs::exists(file)) << "writes and ReadDeviceType never create the file";

    EXPECT_EQ(settings.ReadRegistryNumber(kAutorunMinimizeValue), 0);
    ASSERT_TRUE(fs::exists(file)) << "the first read creates the file and its folder";
    EXPECT_EQ(test::ReadFile(file), "");

    EXPECT_TRUE(settings.WriteRegistryNumber(kDeviceTypeValue, 101));
    EXPECT_TRUE(settings.WriteRegistryText(kExitModeValue, "1"));
    EXPECT_EQ(settings.ReadDeviceType(), 101);
    EXPECT_EQ(settings.ReadRegistryNumber(kExitModeValue), 1);
    EXPECT_EQ(test::ReadFile(file), "DeviceType=101\nexit_mode=1\n");
}

TEST_F(SettingsFileTest, LanguageReadCreatesTheFile) {
    EXPECT_EQ(settings.ReadLanguageSetting(), 0);
    EXPECT_TRUE(fs::exists(file));
    EXPECT_TRUE(settings.WriteRegistryNumber(kLcidValue, 1042));
    EXPECT_EQ(settings.ReadLanguageSetting(), 1042);
}

TEST_F(SettingsFileTest, FileRemovedWhileRunning) {
    settings.ReadRegistryNumber(kLcidValue);
    ASSERT_TRUE(settings.WriteRegistryNumber(kExitModeValue, 1));
    fs::remove(file);

    EXPECT_FALSE(settings.WriteRegistryNumber(kExitModeValue, 0)) << "a write before the next read is lost";
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(settings.ReadRegistryNumber(kLcidValue), 0) << "the next read recreates the file";
    EXPECT_EQ(settings.ReadRegistryNumber(kExitModeValue), 0);
    EXPECT_TRUE(settings.WriteRegistryNumber(kExitModeValue, 1));
    EXPECT_EQ(settings.ReadRegistryNumber(kExitModeValue), 1);
}

TEST_F(SettingsFileTest, UnreadableFileGives2052ForTheLanguageOnly) {
    fs::create_directories(file);  // exists, but cannot be opened as a file
    EXPECT_EQ(settings.ReadLanguageSetting(), 2052);
    EXPECT_EQ(settings.ReadRegistryNumber(kLcidValue), 0);
    EXPECT_EQ(settings.ReadDeviceType(), 0);
    EXPECT_FALSE(settings.WriteRegistryNumber(kLcidValue, 1033));
    EXPECT_TRUE(fs::is_directory(file));
}

TEST_F(SettingsFileTest, WritesAreAtomicAndKeepTheRestOfTheFile) {
    test::WriteFile(file, "# kept comment\nLCID=2052\nunknown=x\n");
    ::chmod(file.c_str(), 0600);
    ASSERT_TRUE(settings.WriteRegistryNumber(kLcidValue, 1049));
    ASSERT_TRUE(settings.WriteRegistryNumber(kAutorunMinimizeValue, 1));

    EXPECT_EQ(test::ReadFile(file), "# kept comment\nLCID=1049\nunknown=x\nautorun_minimize=1\n");
    int entries = 0;
    for (const auto& entry : fs::directory_iterator(file.parent_path())) {
        EXPECT_EQ(entry.path().filename(), "settings.ini") << "no temporary file is left behind";
        ++entries;
    }
    EXPECT_EQ(entries, 1);
    struct stat status {};
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u) << "the replaced file keeps its permissions";
}

TEST_F(SettingsFileTest, TextThatWouldBreakTheFileIsRefused) {
    test::WriteFile(file, "LCID=1033\n");
    EXPECT_FALSE(settings.WriteRegistryText(kExitModeValue, "1\nLCID=0"));
    EXPECT_EQ(settings.ReadLanguageSetting(), 1033);
    EXPECT_EQ(test::ReadFile(file), "LCID=1033\n");
}

}  // namespace
}  // namespace mousedeck::shell
