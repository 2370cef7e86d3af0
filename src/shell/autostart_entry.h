#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace mousedeck::shell {

// Starting with the user's session: an XDG autostart entry (AppPaths::
// AutostartFile) that runs the executable with " -autorun". The entry's
// existence is the setting; Enable rewrites it so a moved executable is
// picked up.
class AutostartEntry {
public:
    AutostartEntry(std::filesystem::path entry_file, std::filesystem::path executable,
                   std::string device_name);

    bool IsEnabled() const;
    // Writes the entry atomically, creating the autostart folder when needed.
    bool Enable() const;
    // True when no entry remains.
    bool Disable() const;

    // The entry's text: a desktop entry of type Application named by the
    // device name, whose Exec line is the quoted executable and "-autorun".
    std::string EntryText() const;

private:
    std::filesystem::path entry_file_;
    std::filesystem::path executable_;
    std::string device_name_;
};

// One Exec argument as the desktop-entry format wants it: in double quotes
// when it holds a reserved character, with '"', '`', '$' and '\' escaped by
// a backslash inside the quotes; '%' doubled (it starts a field code); then
// the string-value escapes of the file format (\\, \n, \t, \r).
std::string DesktopExecArgument(std::string_view argument);

}  // namespace mousedeck::shell
