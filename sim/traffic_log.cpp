#include "sim/traffic_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <string_view>
#include <utility>

namespace mousedeck::sim {
namespace {

// The bytes of a line's "XX XX ..." part; a pair that is not hex ends them.
std::vector<uint8_t> ParseHexPairs(std::string_view text) {
    std::vector<uint8_t> bytes;
    while (!text.empty()) {
        const std::size_t start = text.find_first_not_of(' ');
        if (start == std::string_view::npos) {
            break;
        }
        text.remove_prefix(start);
        uint8_t byte = 0;
        const auto [end, error] =
            std::from_chars(text.data(), text.data() + std::min<std::size_t>(2, text.size()), byte, 16);
        if (error != std::errc{} || end == text.data()) {
            break;
        }
        bytes.push_back(byte);
        text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    }
    return bytes;
}

}  // namespace

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

TrafficLog::HostWrites TrafficLog::ReadHostWrites(const std::string& path, std::size_t first_line) {
    HostWrites writes;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line); ++writes.lines) {
        // FormatLine writes an empty report as ">" alone.
        if (writes.lines >= first_line && (line == ">" || line.starts_with("> "))) {
            writes.reports.push_back(ParseHexPairs(std::string_view(line).substr(1)));
        }
    }
    return writes;
}

}  // namespace mousedeck::sim
