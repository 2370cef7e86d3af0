#pragma once

#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>

namespace mousedeck::shell {

// Names of the per-user values; each holds decimal text.
inline constexpr std::string_view kLcidValue = "LCID";                         // interface language
inline constexpr std::string_view kDeviceTypeValue = "DeviceType";             // current product
inline constexpr std::string_view kExitModeValue = "exit_mode";                // 1: close hides to the tray
inline constexpr std::string_view kAutorunMinimizeValue = "autorun_minimize";  // 1: autostart minimised

// The per-user settings of the product line: one INI file (AppPaths::
// SettingsFile) whose existence plays the part of a settings key. Values live
// before any section header, as "name=decimal text"; names compare without
// regard to case. Reads create the file when it is absent (except
// ReadDeviceType); writes change an existing file only, so a write that
// comes before the first read after the file was removed is lost.
//
// Every write replaces the file atomically. One object serves the whole
// process; its calls may come from any thread (a lock orders them).
class SettingsFile {
public:
    explicit SettingsFile(std::filesystem::path file);

    const std::filesystem::path& Path() const { return file_; }

    // The value converted as lenient decimal text: 0 when the value is absent
    // or holds no digits ("01" reads 1, "yes" 0). When the file is absent it
    // is created (with its folder) and the result is 0.
    int ReadRegistryNumber(std::string_view name);
    // ReadRegistryNumber(LCID), except that a file that exists but cannot be
    // opened for reading and writing gives 2052.
    int ReadLanguageSetting();
    // The DeviceType value; an absent file gives 0 and stays absent.
    int ReadDeviceType();

    // Set the value when the file exists and can be written; otherwise
    // nothing is written. True when the value is stored. Text that cannot be
    // kept on one line (CR, LF, NUL) is refused.
    bool WriteRegistryText(std::string_view name, std::string_view text);
    bool WriteRegistryNumber(std::string_view name, int number);

private:
    enum class Access { kOpened, kAbsent, kFailed };
    Access Open(std::string& text) const;
    int ReadNumber(std::string_view name, bool create, int when_unreadable);

    std::filesystem::path file_;
    std::mutex mutex_;
};

}  // namespace mousedeck::shell
