#include "shell/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include <system_error>

namespace mousedeck::shell {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports the result, which for a written file is the
    // last chance to see a write error.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes the rename itself durable; a failure here does not undo the write.
void SyncFolder(const std::filesystem::path& folder) {
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
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

bool CreateFolderPath(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return std::filesystem::is_directory(folder, ec);
}

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    std::string temp = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
    FileDescriptor out(::mkostemp(temp.data(), O_CLOEXEC));
    if (!out.valid()) {
        return false;
    }
    struct stat old_file {};
    mode_t mode = 0644;
    if (::stat(file.c_str(), &old_file) == 0) {
        mode = old_file.st_mode & 07777;
    } else {
        mode = 0666 & ~ProcessUmask();
    }
    const bool ok = ::fchmod(out.get(), mode) == 0 && WriteAll(out.get(), bytes) && ::fsync(out.get()) == 0 &&
                    out.Close() && ::rename(temp.c_str(), file.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}

FileBytes ReadFileBytes(const std::filesystem::path& file) {
    FileBytes result;
    FileDescriptor in(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.valid()) {
        result.status = (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::kMissing : ReadStatus::kFailed;
        return result;
    }
    char buffer[16384];
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
    }
    result.status = ReadStatus::kOk;
    return result;
}

}  // namespace mousedeck::shell
