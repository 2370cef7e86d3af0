#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace mousedeck::shell {

// What the program's places are derived from, besides the device name. Empty
// strings mean "not set". FromProcess reads the real environment; tests build
// their own.
struct PathEnvironment {
    std::filesystem::path executable;  // this program, as /proc/self/exe names it
    std::string data_dir;              // $MOUSEDECK_DATA_DIR
    std::string xdg_data_home;         // $XDG_DATA_HOME
    std::string xdg_config_home;       // $XDG_CONFIG_HOME
    std::string home;                  // $HOME

    static PathEnvironment FromProcess();
};

// Every file and folder the program uses, derived from the device name (the
// product-line name of config.xml) and the environment. An immutable value:
// build it once the device name is known and hand it to whoever needs it; it
// is safe to share between threads.
//
// Names taken from product data are made safe with SafeFileName, so no
// device name or device_attr can lead a path out of its folder.
class AppPaths {
public:
    AppPaths(std::string device_name, const PathEnvironment& environment);
    static AppPaths FromProcess(std::string device_name);

    const std::string& DeviceName() const { return device_name_; }

    // The folder holding config.xml, device/ and language/:
    // $MOUSEDECK_DATA_DIR when set; else <executable folder>/../share/mousedeck
    // when that folder exists (an installed program); else the executable's
    // folder (the build tree, where the product data is copied).
    const std::filesystem::path& ApplicationFolder() const { return application_folder_; }
    std::filesystem::path CatalogueFile() const;
    std::filesystem::path DeviceDescriptionFile(std::string_view device_attr) const;
    std::filesystem::path LanguageFile(int lcid) const;
    // skins/<theme> below the application folder.
    std::filesystem::path SkinFolder(std::string_view theme) const;

    // Per-user data: $XDG_DATA_HOME (default ~/.local/share)/<device name> Files.
    const std::filesystem::path& DataFolder() const { return data_folder_; }
    std::filesystem::path DatabaseFolder() const;
    std::filesystem::path SettingsDatabaseFile(std::string_view device_attr) const;
    // Creates DatabaseFolder() with every missing parent; true when it exists.
    bool CreateDatabaseFolder() const;

    // The per-user settings: $XDG_CONFIG_HOME (default ~/.config)/<device name>/settings.ini.
    const std::filesystem::path& SettingsFile() const { return settings_file_; }
    // $XDG_CONFIG_HOME/autostart/<device name>.desktop.
    const std::filesystem::path& AutostartFile() const { return autostart_file_; }

    const std::filesystem::path& ExecutablePath() const { return executable_; }

private:
    std::string device_name_;
    std::filesystem::path executable_;
    std::filesystem::path application_folder_;
    std::filesystem::path data_folder_;
    std::filesystem::path settings_file_;
    std::filesystem::path autostart_file_;
};

}  // namespace mousedeck::shell
