#include "sim/state_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "sim/state_text.h"

namespace mousedeck::sim {

std::optional<StateFile::Stamp> StateFile::StampOnDisk() const {
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return Stamp{static_cast<long long>(st.st_ino), st.st_mtim, static_cast<long long>(st.st_size)};
}

std::optional<MouseState> StateFile::Load() {
    if (!Enabled()) {
        return std::nullopt;
    }
    seen_ = StampOnDisk();
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return StateFromText(text);
}

bool StateFile::ChangedOnDisk() const {
    if (!Enabled()) {
        return false;
    }
    const auto now = StampOnDisk();
    if (!now || !seen_) {
        return now.has_value() != seen_.has_value();
    }
    // A rename gives a new inode, so even two saves within one clock tick differ.
    return now->inode != seen_->inode || now->size != seen_->size ||
           now->mtime.tv_sec != seen_->mtime.tv_sec || now->mtime.tv_nsec != seen_->mtime.tv_nsec;
}

bool StateFile::Save(const MouseState& state) {
    if (!Enabled()) {
        return true;
    }
    const std::string text = StateToText(state);
    // Unique per save, so two mice of one process sharing the file never
    // write the same temporary file.
    static std::atomic<unsigned> serial{0};
    const std::string temp = path_ + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(serial++);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        ok = n > 0;
        done += ok ? static_cast<std::size_t>(n) : 0;
    }
    ok = ::close(fd) == 0 && ok;
    if (!ok || std::rename(temp.c_str(), path_.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    seen_ = StampOnDisk();
    return true;
}

}  // namespace mousedeck::sim
