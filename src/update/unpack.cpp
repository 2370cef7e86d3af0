#include "update/unpack.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unzip.h>

#include <ctime>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "shell/file_system.h"
#include "update/entry_name.h"
#include "update/unique_fd.h"

namespace mousedeck::update {
namespace {

constexpr unsigned long kMadeOnUnix = 3;        // high byte of "version made by"
constexpr unsigned long kUtf8NameFlag = 0x800;  // general purpose bit 11
constexpr unsigned long kDosReadOnly = 0x01;
constexpr unsigned long kDosFolder = 0x10;
constexpr char kPartName[] = ".mousedeck-unpack.part";

struct ZipCloser {
    void operator()(void* zip) const { unzClose(zip); }
};
using Zip = std::unique_ptr<void, ZipCloser>;

struct Entry {
    std::string name;
    unz_file_info64 info{};
};

bool ReadEntryInfo(unzFile zip, Entry& entry) {
    if (unzGetCurrentFileInfo64(zip, &entry.info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        return false;
    }
    std::vector<char> name(entry.info.size_filename + 1, '\0');
    if (unzGetCurrentFileInfo64(zip, &entry.info, name.data(), static_cast<uLong>(name.size()), nullptr, 0,
                                nullptr, 0) != UNZ_OK) {
        return false;
    }
    entry.name = EntryNameText(std::string_view(name.data(), entry.info.size_filename),
                               (entry.info.flag & kUtf8NameFlag) != 0);
    return true;
}

// The Unix mode an entry made on Unix stores in the high half of its
// external attributes; 0 for entries from other systems.
mode_t UnixMode(const unz_file_info64& info) {
    if ((info.version >> 8) != kMadeOnUnix) {
        return 0;
    }
    return static_cast<mode_t>((info.external_fa >> 16) & 0xFFFF);
}

// Opens, creating when missing, the folders `parts` below `root`, one at a
// time and never through a link. Invalid when a part is a link or a file.
UniqueFd OpenFolders(int root, std::span<const std::string> parts, mode_t mode) {
    UniqueFd current(::fcntl(root, F_DUPFD_CLOEXEC, 0));
    for (const std::string& part : parts) {
        if (!current.valid()) {
            break;
        }
        ::mkdirat(current.get(), part.c_str(), mode);  // EEXIST is fine; the open below decides
        current =
            UniqueFd(::openat(current.get(), part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    }
    return current;
}

timespec EntryTime(const tm_unz& stored) {
    std::tm local{};
    local.tm_year = static_cast<int>(stored.tm_year) - 1900;
    local.tm_mon = static_cast<int>(stored.tm_mon);
    local.tm_mday = static_cast<int>(stored.tm_mday);
    local.tm_hour = static_cast<int>(stored.tm_hour);
    local.tm_min = static_cast<int>(stored.tm_min);
    local.tm_sec = static_cast<int>(stored.tm_sec);
    local.tm_isdst = -1;
    const std::time_t when = std::mktime(&local);
    timespec time{};
    time.tv_sec = when == static_cast<std::time_t>(-1) ? 0 : when;
    return time;
}

// Copies the current entry's data into `out`; false on a read error or a
// CRC mismatch.
bool CopyEntryData(unzFile zip, int out) {
    if (unzOpenCurrentFile(zip) != UNZ_OK) {
        return false;
    }
    std::vector<char> buffer(64 * 1024);
    bool ok = true;
    for (;;) {
        const int read = unzReadCurrentFile(zip, buffer.data(), static_cast<unsigned>(buffer.size()));
        if (read == 0) {
            break;
        }
        if (read < 0 || !WriteAll(out, buffer.data(), static_cast<std::size_t>(read))) {
            ok = false;
            break;
        }
    }
    // Reports a CRC mismatch once the whole entry was read.
    const bool closed = unzCloseCurrentFile(zip) == UNZ_OK;
    return ok && closed;
}

bool WriteEntryFile(unzFile zip, int folder, const std::string& name, mode_t mode, const timespec& mtime) {
    ::unlinkat(folder, kPartName, 0);
    UniqueFd out(::openat(folder, kPartName, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!out.valid()) {
        return false;
    }
    const timespec times[2] = {mtime, mtime};
    const bool written = CopyEntryData(zip, out.get()) && ::futimens(out.get(), times) == 0 && out.Close();
    if (!written || ::renameat(folder, kPartName, folder, name.c_str()) != 0) {
        ::unlinkat(folder, kPartName, 0);
        return false;
    }
    return true;
}

void ExtractEntry(unzFile zip, int root) {
    Entry entry;
    if (!ReadEntryInfo(zip, entry)) {
        return;
    }
    const std::optional<EntryPath> path = ResolveEntryName(entry.name);
    if (!path || path->parts.empty()) {
        return;
    }
    const mode_t unix_mode = UnixMode(entry.info);
    const bool unix_made = unix_mode != 0;
    if (unix_made && !S_ISREG(unix_mode) && !S_ISDIR(unix_mode)) {
        return;  // a link, device or pipe
    }
    const bool is_folder =
        path->is_folder || (unix_made ? S_ISDIR(unix_mode) : (entry.info.external_fa & kDosFolder) != 0);
    if (is_folder) {
        // Folders stay usable by their owner, whatever they were stored with.
        const mode_t mode = unix_made ? ((unix_mode & 0777) | 0700) : 0777;
        OpenFolders(root, path->parts, mode);
        return;
    }
    const std::span<const std::string> parents(path->parts.data(), path->parts.size() - 1);
    const UniqueFd folder = OpenFolders(root, parents, 0777);
    if (!folder.valid()) {
        return;
    }
    mode_t mode = 0666;
    if (unix_made) {
        mode = (unix_mode & 0777) | 0400;  // the program reads what it unpacked
    } else if ((entry.info.external_fa & kDosReadOnly) != 0) {
        mode = 0444;
    }
    WriteEntryFile(zip, folder.get(), path->parts.back(), mode, EntryTime(entry.info.tmu_date));
}

}  // namespace

bool Unpack(const std::filesystem::path& archive, const std::filesystem::path& folder) {
    const Zip zip(unzOpen64(archive.c_str()));
    if (!zip) {
        return false;
    }
    shell::CreateFolderPath(folder);
    const UniqueFd root(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!root.valid()) {
        return true;
    }
    for (int at = unzGoToFirstFile(zip.get()); at == UNZ_OK; at = unzGoToNextFile(zip.get())) {
        ExtractEntry(zip.get(), root.get());
    }
    return true;
}

}  // namespace mousedeck::update
