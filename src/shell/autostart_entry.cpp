#include "shell/autostart_entry.h"

#include "shell/file_system.h"

#include <system_error>
#include <utility>

namespace mousedeck::shell {
namespace {

// Characters that make an Exec argument need quotes.
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

// The escapes every string value of a desktop entry uses.
std::string EscapeStringValue(std::string_view value) {
    std::string out;
    for (const char c : value) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
                break;
        }
    }
    return out;
}

}  // namespace

std::string DesktopExecArgument(std::string_view argument) {
    std::string quoted;
    const bool needs_quotes = argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos;
    if (needs_quotes) {
        quoted += '"';
    }
    for (const char c : argument) {
        if (needs_quotes && (c == '"' || c == '`' || c == '$' || c == '\\')) {
            quoted += '\\';
        }
        quoted += c;
        if (c == '%') {
            quoted += '%';
        }
    }
    if (needs_quotes) {
        quoted += '"';
    }
    return EscapeStringValue(quoted);
}

AutostartEntry::AutostartEntry(std::filesystem::path entry_file, std::filesystem::path executable,
                               std::string device_name)
    : entry_file_(std::move(entry_file)),
      executable_(std::move(executable)),
      device_name_(std::move(device_name)) {}

bool AutostartEntry::IsEnabled() const {
    std::error_code ec;
    return std::filesystem::is_regular_file(entry_file_, ec);
}

std::string AutostartEntry::EntryText() const {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           EscapeStringValue(device_name_) +
           "\n"
           "Exec=" +
           DesktopExecArgument(executable_.string()) +
           " -autorun\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool AutostartEntry::Enable() const {
    return CreateFolderPath(entry_file_.parent_path()) && ReplaceFileBytes(entry_file_, EntryText());
}

bool AutostartEntry::Disable() const {
    std::error_code ec;
    std::filesystem::remove(entry_file_, ec);
    return !std::filesystem::exists(entry_file_, ec) && !ec;
}

}  // namespace mousedeck::shell
