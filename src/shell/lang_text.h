#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "shell/app_paths.h"
#include "shell/ini_document.h"
#include "shell/language_state.h"

namespace mousedeck::shell {

// Longest text a lookup returns, in characters (code points).
inline constexpr std::size_t kMaxLanguageTextChars = 259;

// Decodes a language file's bytes (UTF-8 with or without a byte-order mark,
// UTF-16 with one) and parses them.
IniDocument ParseLanguageFile(std::string_view bytes);

// The text with the given number in a parsed language file: key "<number>"
// of section "LAN", cut to kMaxLanguageTextChars characters; empty when the
// section or the key is missing.
std::string LanguageTextOf(const IniDocument& file, int number);

// Numbered interface texts in the current language, from
// language/<LCID>.lan in the application folder. Each lookup sees the file as
// it is now: a parsed file is kept per path and used again only while one
// stat(2) shows it unchanged (same file, size, modification and change
// times). A file changed less than the timestamp slack before it was read
// is read again on every call, since a second change inside one timestamp
// tick would not show in its times.
//
// Safe to call from any thread; the paths and the language state must
// outlive this object.
class LanguageTexts {
public:
    // How recent a change must be for the file's times not to be trusted:
    // file-system timestamps tick coarsely (a few ms on Linux, 2 s on FAT).
    static constexpr std::chrono::nanoseconds kDefaultTimestampSlack = std::chrono::seconds(2);

    LanguageTexts(const AppPaths& paths, const LanguageState& language,
                  std::chrono::nanoseconds timestamp_slack = kDefaultTimestampSlack);

    // Empty when the file or the text is missing; nothing is reported.
    std::string LangText(int number) const;

    // How many times a language file was read and parsed, for tests and
    // measurements.
    std::size_t FilesRead() const { return files_read_.load(std::memory_order_relaxed); }

private:
    struct CachedFile;
    std::shared_ptr<const CachedFile> Load(const std::filesystem::path& file) const;

    const AppPaths& paths_;
    const LanguageState& language_;
    const long long timestamp_slack_ns_;
    mutable std::atomic<std::size_t> files_read_{0};
    mutable std::mutex mutex_;
    mutable std::unordered_map<std::string, std::shared_ptr<const CachedFile>> files_;
};

}  // namespace mousedeck::shell
