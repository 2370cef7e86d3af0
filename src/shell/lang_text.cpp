#include "shell/lang_text.h"

#include "shell/file_system.h"
#include "xml/text_encoding.h"

#include <sys/stat.h>
#include <time.h>

#include <algorithm>

namespace mousedeck::shell {
namespace {

// More parsed files than this (languages switched back and forth) start the
// cache afresh.
constexpr std::size_t kMaxCachedFiles = 16;

long long Nanoseconds(const timespec& time) {
    return static_cast<long long>(time.tv_sec) * 1'000'000'000LL + time.tv_nsec;
}

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modified_ns = 0;
    long long changed_ns = 0;

    explicit FileIdentity(const struct stat& status)
        : device(status.st_dev),
          inode(status.st_ino),
          size(status.st_size),
          modified_ns(Nanoseconds(status.st_mtim)),
          changed_ns(Nanoseconds(status.st_ctim)) {}
    bool operator==(const FileIdentity&) const = default;
};

// The end of the first `max_chars` characters of well-formed UTF-8.
std::size_t PrefixBytes(std::string_view text, std::size_t max_chars) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (chars == max_chars) {
                return i;
            }
            ++chars;
        }
    }
    return text.size();
}

}  // namespace

struct LanguageTexts::CachedFile {
    FileIdentity identity;
    bool trusted;  // old enough that its times would show any later change
    IniDocument document;
};

IniDocument ParseLanguageFile(std::string_view bytes) {
    return IniDocument(xml::DecodeText(bytes).text);
}

std::string LanguageTextOf(const IniDocument& file, int number) {
    const auto text = file.Find("LAN", std::to_string(number));
    if (!text) {
        return {};
    }
    return std::string(text->substr(0, PrefixBytes(*text, kMaxLanguageTextChars)));
}

LanguageTexts::LanguageTexts(const AppPaths& paths, const LanguageState& language,
                             std::chrono::nanoseconds timestamp_slack)
    : paths_(paths), language_(language), timestamp_slack_ns_(timestamp_slack.count()) {}

std::shared_ptr<const LanguageTexts::CachedFile> LanguageTexts::Load(
    const std::filesystem::path& file) const {
    const std::string key = file.string();
    struct stat status {};
    if (::stat(key.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        const std::lock_guard lock(mutex_);
        files_.erase(key);
        return nullptr;
    }
    const FileIdentity identity(status);
    {
        const std::lock_guard lock(mutex_);
        const auto found = files_.find(key);
        if (found != files_.end() && found->second->trusted && found->second->identity == identity) {
            return found->second;
        }
    }
    timespec read_start{};
    ::clock_gettime(CLOCK_REALTIME, &read_start);
    const FileBytes bytes = ReadFileBytes(file);
    if (bytes.status != ReadStatus::kOk) {
        return nullptr;
    }
    files_read_.fetch_add(1, std::memory_order_relaxed);
    // The change time cannot be set back by tools that keep modification
    // times (cp -p, tar), so it is the one that dates the last change.
    const long long last_change_ns = std::max(identity.modified_ns, identity.changed_ns);
    const bool trusted = Nanoseconds(read_start) - last_change_ns > timestamp_slack_ns_;
    auto loaded =
        std::make_shared<const CachedFile>(CachedFile{identity, trusted, ParseLanguageFile(bytes.bytes)});
    const std::lock_guard lock(mutex_);
    if (files_.size() >= kMaxCachedFiles) {
        files_.clear();
    }
    files_[key] = loaded;
    return loaded;
}

std::string LanguageTexts::LangText(int number) const {
    const auto file = Load(paths_.LanguageFile(language_.Current()));
    return file ? LanguageTextOf(file->document, number) : std::string();
}

}  // namespace mousedeck::shell
