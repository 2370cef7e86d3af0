#include "shell/app_paths.h"

#include "shell/file_system.h"
#include "shell/product_files.h"
#include "shell/safe_file_name.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <utility>
#include <vector>

namespace mousedeck::shell {
namespace {

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// An XDG base folder: the variable when it holds an absolute path (the XDG
// rules ignore relative ones), else the default below $HOME.
std::filesystem::path BaseFolder(const std::string& variable, const std::string& home,
                                 std::string_view default_below_home) {
    if (!variable.empty() && variable.front() == '/') {
        return variable;
    }
    return std::filesystem::path(home) / default_below_home;
}

std::filesystem::path ResolveApplicationFolder(const PathEnvironment& environment) {
    if (!environment.data_dir.empty()) {
        return environment.data_dir;
    }
    const std::filesystem::path executable_folder = environment.executable.parent_path();
    const std::filesystem::path installed = (executable_folder / "../share/mousedeck").lexically_normal();
    std::error_code ec;
    if (!executable_folder.empty() && std::filesystem::is_directory(installed, ec)) {
        return installed;
    }
    return executable_folder;
}

// The home folder from the user database, for a process started without $HOME.
std::string HomeFromUserDatabase() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return "";
}

}  // namespace

PathEnvironment PathEnvironment::FromProcess() {
    PathEnvironment environment;
    std::error_code ec;
    environment.executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    environment.data_dir = EnvironmentValue("MOUSEDECK_DATA_DIR");
    environment.xdg_data_home = EnvironmentValue("XDG_DATA_HOME");
    environment.xdg_config_home = EnvironmentValue("XDG_CONFIG_HOME");
    environment.home = EnvironmentValue("HOME");
    if (environment.home.empty()) {
        environment.home = HomeFromUserDatabase();
    }
    return environment;
}

AppPaths::AppPaths(std::string device_name, const PathEnvironment& environment)
    : device_name_(std::move(device_name)),
      executable_(environment.executable),
      application_folder_(ResolveApplicationFolder(environment)) {
    const std::filesystem::path config_home =
        BaseFolder(environment.xdg_config_home, environment.home, ".config");
    data_folder_ = BaseFolder(environment.xdg_data_home, environment.home, ".local/share") /
                   SafeFileName(device_name_, " Files");
    settings_file_ = config_home / SafeFileName(device_name_) / "settings.ini";
    autostart_file_ = config_home / "autostart" / SafeFileName(device_name_, ".desktop");
}

AppPaths AppPaths::FromProcess(std::string device_name) {
    return AppPaths(std::move(device_name), PathEnvironment::FromProcess());
}

std::filesystem::path AppPaths::CatalogueFile() const {
    return CatalogueFileIn(application_folder_);
}

std::filesystem::path AppPaths::DeviceDescriptionFile(std::string_view device_attr) const {
    return DescriptionFileIn(application_folder_, device_attr);
}

std::filesystem::path AppPaths::LanguageFile(int lcid) const {
    return application_folder_ / "language" / (std::to_string(lcid) + ".lan");
}

std::filesystem::path AppPaths::SkinFolder(std::string_view theme) const {
    const std::filesystem::path skins = application_folder_ / "skins";
    return theme.empty() ? skins : skins / SafeFileName(theme);
}

std::filesystem::path AppPaths::DatabaseFolder() const {
    return data_folder_ / "db";
}

std::filesystem::path AppPaths::SettingsDatabaseFile(std::string_view device_attr) const {
    return DatabaseFolder() / SafeFileName(device_attr, "_data1.db");
}

bool AppPaths::CreateDatabaseFolder() const {
    return CreateFolderPath(DatabaseFolder());
}

}  // namespace mousedeck::shell
