#include "shell/app_paths.h"
#include "shell/product_files.h"
#include "shell/safe_file_name.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_home.h"

namespace mousedeck::shell {
namespace {

using std::filesystem::path;

PathEnvironment Environment(const path& executable) {
    PathEnvironment environment;
    environment.executable = executable;
    environment.home = "/home/ann";
    return environment;
}

TEST(AppPathsTest, PlacesDerivedFromDeviceNameAndEnvironment) {
    PathEnvironment environment = Environment("/opt/md/bin/mousedeck");
    environment.data_dir = "/srv/product";
    const AppPaths paths("Kestrel Gear", environment);

    EXPECT_EQ(paths.ApplicationFolder(), path("/srv/product"));
    EXPECT_EQ(paths.CatalogueFile(), path("/srv/product/config.xml"));
    EXPECT_EQ(paths.DeviceDescriptionFile("k7"), path("/srv/product/device/k7.xml"));
    EXPECT_EQ(paths.LanguageFile(1042), path("/srv/product/language/1042.lan"));
    EXPECT_EQ(paths.SkinFolder("dark"), path("/srv/product/skins/dark"));
    EXPECT_EQ(paths.DataFolder(), path("/home/ann/.local/share/Kestrel Gear Files"));
    EXPECT_EQ(paths.DatabaseFolder(), path("/home/ann/.local/share/Kestrel Gear Files/db"));
    EXPECT_EQ(paths.SettingsDatabaseFile("k7"),
              path("/home/ann/.local/share/Kestrel Gear Files/db/k7_data1.db"));
    EXPECT_EQ(paths.SettingsFile(), path("/home/ann/.config/Kestrel Gear/settings.ini"));
    EXPECT_EQ(paths.AutostartFile(), path("/home/ann/.config/autostart/Kestrel Gear.desktop"));
    EXPECT_EQ(paths.ExecutablePath(), path("/opt/md/bin/mousedeck"));
}

TEST(AppPathsTest, XdgFoldersReplaceHomeDefaultsOnlyWhenAbsolute) {
    struct Case {
        std::string xdg_data, xdg_config;
        path data_folder, settings_file;
    };
    const Case cases[] = {
        {"/x/data", "/x/config", "/x/data/M Files", "/x/config/M/settings.ini"},
        {"", "", "/home/ann/.local/share/M Files", "/home/ann/.config/M/settings.ini"},
        {"relative/data", "relative", "/home/ann/.local/share/M Files", "/home/ann/.config/M/settings.ini"},
    };
    for (const Case& c : cases) {
        PathEnvironment environment = Environment("/usr/bin/mousedeck");
        environment.xdg_data_home = c.xdg_data;
        environment.xdg_config_home = c.xdg_config;
        const AppPaths paths("M", environment);
        EXPECT_EQ(paths.DataFolder(), c.data_folder) << c.xdg_data;
        EXPECT_EQ(paths.SettingsFile(), c.settings_file) << c.xdg_config;
    }
}

TEST(AppPathsTest, ApplicationFolderPrefersInstalledShareFolder) {
    test::TempDir root;
    std::filesystem::create_directories(root / "prefix/bin");
    std::filesystem::create_directories(root / "build/bin");
    std::filesystem::create_directories(root / "prefix/share/mousedeck");

    const AppPaths installed("M", Environment(root / "prefix/bin/mousedeck"));
    EXPECT_EQ(installed.ApplicationFolder(), root.path() / "prefix/share/mousedeck");

    const AppPaths build_tree("M", Environment(root / "build/bin/mousedeck"));
    EXPECT_EQ(build_tree.ApplicationFolder(), root.path() / "build/bin");

    PathEnvironment overridden = Environment(root / "prefix/bin/mousedeck");
    overridden.data_dir = (root / "elsewhere").string();
    EXPECT_EQ(AppPaths("M", overridden).ApplicationFolder(), root.path() / "elsewhere");
}

TEST(AppPathsTest, FromProcessUsesTheRunningExecutableAndXdgVariables) {
    const AppPaths paths = AppPaths::FromProcess("Probe");
    EXPECT_EQ(paths.ExecutablePath().parent_path(), test::ExecutableFolder());
    EXPECT_EQ(paths.ApplicationFolder(), test::ExecutableFolder());
    EXPECT_EQ(paths.SettingsFile(), path(std::getenv("XDG_CONFIG_HOME")) / "Probe/settings.ini");
    EXPECT_EQ(paths.DataFolder(), path(std::getenv("XDG_DATA_HOME")) / "Probe Files");
}

TEST(AppPathsTest, CreateDatabaseFolderMakesMissingParents) {
    test::TempDir root;
    PathEnvironment environment = Environment("/usr/bin/mousedeck");
    environment.xdg_data_home = (root / "a/b").string();
    const AppPaths paths("Deep", environment);
    ASSERT_FALSE(std::filesystem::exists(root / "a"));
    EXPECT_TRUE(paths.CreateDatabaseFolder());
    EXPECT_TRUE(std::filesystem::is_directory(root / "a/b/Deep Files/db"));
    EXPECT_TRUE(paths.CreateDatabaseFolder()) << "an existing folder is success";

    environment.xdg_data_home = (root / "file").string();
    test::WriteFile(root / "file", "not a folder");
    EXPECT_FALSE(AppPaths("Deep", environment).CreateDatabaseFolder());
}

// Names from product data never leave the folder they are joined to, and
// never collide with the folder itself.
TEST(AppPathsTest, HostileNamesStayInsideTheirFolders) {
    struct Case {
        std::string name;
        std::string component;  // SafeFileName(name)
    };
    const Case cases[] = {
        {"Plain Name", "Plain Name"},
        {"../../etc", ".._.._etc"},
        {"..", "__"},
        {".", "_"},
        {"", "_"},
        {"a/b", "a_b"},
        {"/abs", "_abs"},
        {"win\\path", "win_path"},
        {std::string("nul\0byte", 8), "nul_byte"},
        {"line\nbreak\t", "line_break_"},
        {"…dots…", "…dots…"},
        {"名前", "名前"},
    };
    const path data = "/d";
    const path config = "/c";
    for (const Case& c : cases) {
        EXPECT_EQ(SafeFileName(c.name), c.component) << c.name;

        PathEnvironment environment = Environment("/usr/bin/mousedeck");
        environment.data_dir = "/app";
        environment.xdg_data_home = data.string();
        environment.xdg_config_home = config.string();
        const AppPaths paths(c.name, environment);
        const auto inside = [](const path& file, const path& folder) {
            return file.lexically_normal().parent_path() == folder && file.filename() != "." &&
                   file.filename() != "..";
        };
        EXPECT_TRUE(inside(paths.DataFolder(), data)) << paths.DataFolder();
        EXPECT_TRUE(inside(paths.SettingsFile().parent_path(), config)) << paths.SettingsFile();
        EXPECT_TRUE(inside(paths.AutostartFile(), config / "autostart")) << paths.AutostartFile();
        EXPECT_TRUE(inside(paths.DeviceDescriptionFile(c.name), "/app/device")) << c.name;
        EXPECT_TRUE(inside(paths.SettingsDatabaseFile(c.name), paths.DatabaseFolder())) << c.name;
        EXPECT_TRUE(inside(paths.SkinFolder(c.name), "/app/skins") || c.name.empty()) << c.name;
        EXPECT_TRUE(inside(PictureFileIn("/skin", c.name), "/skin/device") || c.name.empty()) << c.name;
    }
}

TEST(AppPathsTest, EmptyDeviceNameKeepsDataFolderNameButNotTheConfigRoot) {
    const AppPaths paths("", Environment("/usr/bin/mousedeck"));
    EXPECT_EQ(paths.DataFolder().filename(), " Files");
    EXPECT_EQ(paths.SettingsFile(), path("/home/ann/.config/_/settings.ini"));
    EXPECT_EQ(paths.DeviceDescriptionFile("").filename(), ".xml");
    EXPECT_EQ(PictureFileIn("/skin", ""), path("/skin/device/"));
}

TEST(AppPathsTest, LongNamesAreCutOnCharacterBoundaries) {
    const std::string long_name(150, 'a');
    std::string multibyte;
    for (int i = 0; i < 120; ++i) {
        multibyte += "é";  // two bytes each
    }
    for (const std::string& name : {long_name + long_name, "x" + multibyte}) {
        const std::string stem = SafeFileName(name);
        EXPECT_LE(stem.size(), kMaxSafeStemBytes);
        EXPECT_EQ(name.compare(0, stem.size(), stem), 0) << "a prefix of the name";
        EXPECT_NE(static_cast<unsigned char>(name[stem.size()]) & 0xC0, 0x80) << "cut before a lead byte";
        EXPECT_EQ(SafeFileName(name, "_data1.db"), stem + "_data1.db") << "the suffix survives the cut";
    }
}

}  // namespace
}  // namespace mousedeck::shell
