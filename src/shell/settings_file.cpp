#include "shell/settings_file.h"

#include "shell/file_system.h"
#include "shell/ini_document.h"
#include "shell/lenient_number.h"

#include <unistd.h>

#include <fcntl.h>
#include <utility>

namespace mousedeck::shell {
namespace {

constexpr int kLanguageWhenUnreadable = 2052;

// Creates an empty settings file, as opening a missing settings key creates
// it. Exclusive creation: never truncates a file another process made first.
void CreateEmpty(const std::filesystem::path& file) {
    if (!CreateFolderPath(file.parent_path())) {
        return;
    }
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
        ::close(fd);
    }
}

}  // namespace

SettingsFile::SettingsFile(std::filesystem::path file) : file_(std::move(file)) {}

// "Opened" means readable and writable, as the settings key is opened with
// full access; reading the contents needs only the first.
SettingsFile::Access SettingsFile::Open(std::string& text) const {
    FileBytes contents = ReadFileBytes(file_);
    if (contents.status == ReadStatus::kMissing) {
        return Access::kAbsent;
    }
    if (contents.status == ReadStatus::kFailed || ::access(file_.c_str(), W_OK) != 0) {
        return Access::kFailed;
    }
    text = std::move(contents.bytes);
    return Access::kOpened;
}

int SettingsFile::ReadNumber(std::string_view name, bool create, int when_unreadable) {
    std::string text;
    const Access access = Open(text);
    if (access == Access::kAbsent && create) {
        CreateEmpty(file_);
    }
    if (access == Access::kFailed) {
        return when_unreadable;
    }
    if (access == Access::kAbsent) {
        return 0;
    }
    const IniDocument document(text);
    const auto value = document.Find("", name);
    return value ? ParseLenientInt(*value) : 0;
}

int SettingsFile::ReadRegistryNumber(std::string_view name) {
    const std::lock_guard lock(mutex_);
    return ReadNumber(name, true, 0);
}

int SettingsFile::ReadLanguageSetting() {
    const std::lock_guard lock(mutex_);
    return ReadNumber(kLcidValue, true, kLanguageWhenUnreadable);
}

int SettingsFile::ReadDeviceType() {
    const std::lock_guard lock(mutex_);
    return ReadNumber(kDeviceTypeValue, false, 0);
}

bool SettingsFile::WriteRegistryText(std::string_view name, std::string_view text) {
    const std::lock_guard lock(mutex_);
    std::string contents;
    if (Open(contents) != Access::kOpened) {
        return false;
    }
    IniDocument document(contents);
    return document.Set("", name, text) && ReplaceFileBytes(file_, document.Text());
}

bool SettingsFile::WriteRegistryNumber(std::string_view name, int number) {
    return WriteRegistryText(name, std::to_string(number));
}

}  // namespace mousedeck::shell
