#include "sim/traffic_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace mousedeck::sim {

TrafficLog::TrafficLog(const std::string& path) {
    if (!path.empty()) {
        fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    }
}

TrafficLog::~TrafficLog() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

TrafficLog::TrafficLog(TrafficLog&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

TrafficLog& TrafficLog::operator=(TrafficLog&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

std::string TrafficLog::FormatLine(char direction, std::span<const uint8_t> bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string line;
    line.reserve(2 + bytes.size() * 3);
    line += direction;
    for (const uint8_t b : bytes) {
        line += ' ';
        line += kHex[b >> 4];
        line += kHex[b & 0x0F];
    }
    return line;
}

void TrafficLog::Append(char direction, std::span<const uint8_t> bytes) const {
    if (fd_ < 0) {
        return;
    }
    const std::string line = FormatLine(direction, bytes) + '\n';
    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(fd_, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return;  // the log is a diagnostic aid; a full disk must not stop the mouse
        }
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace mousedeck::sim
