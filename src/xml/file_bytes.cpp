#include "xml/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "xml/unique_fd.h"

namespace mousedeck::xml {
namespace {

// Makes the rename itself durable; a failure here does not undo the write.
void SyncFolder(const std::filesystem::path& folder) {
    const UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) {
        ::fsync(dir.get());
    }
}

// The process's file-creation mask, read without umask(2), which would change
// it for a moment under the feet of other threads.
mode_t ProcessUmask() {
    const FileBytes status = ReadFileBytes("/proc/self/status");
    const std::string_view text = status.bytes;
    const std::size_t at = text.find("\nUmask:");
    if (at == std::string_view::npos) {
        return 022;
    }
    mode_t mask = 0;
    for (std::size_t i = at + 7; i < text.size() && text[i] != '\n'; ++i) {
        if (text[i] >= '0' && text[i] <= '7') {
            mask = static_cast<mode_t>(mask * 8 + static_cast<mode_t>(text[i] - '0'));
        }
    }
    return mask & 0777;
}

}  // namespace

FileBytes ReadFileBytes(const std::filesystem::path& file, std::size_t max_size) {
    FileBytes result;
    const UniqueFd in(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.valid()) {
        result.status = (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::kMissing : ReadStatus::kFailed;
        return result;
    }
    struct stat info {};
    if (::fstat(in.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::size_t>(info.st_size) > max_size) {
        return result;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(in.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.bytes.clear();
            return result;
        }
        if (got == 0) {
            break;
        }
        result.bytes.append(buffer, static_cast<std::size_t>(got));
        if (result.bytes.size() > max_size) {
            result.bytes.clear();
            return result;
        }
    }
    result.status = ReadStatus::kOk;
    return result;
}

bool ReplaceFileBytes(const std::filesystem::path& file, std::string_view bytes) {
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    std::string temp = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
    UniqueFd out(::mkostemp(temp.data(), O_CLOEXEC));
    if (!out.valid()) {
        return false;
    }
    struct stat old_file {};
    const mode_t mode =
        ::stat(file.c_str(), &old_file) == 0 ? (old_file.st_mode & 07777) : (0666 & ~ProcessUmask());
    const bool ok = ::fchmod(out.get(), mode) == 0 && WriteAll(out.get(), bytes) && ::fsync(out.get()) == 0 &&
                    out.Close() && ::rename(temp.c_str(), file.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}

}  // namespace mousedeck::xml
