#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mousedeck::sim {

// Appends every report that crosses the simulated wire to a text file:
// "> " and the bytes the host handed to a write, "< " and the bytes a read
// delivered, as upper-case hex pairs separated by single spaces. Each line is
// one write(2) on a descriptor opened with O_APPEND, so lines from several
// processes sharing the file never interleave.
class TrafficLog {
public:
    TrafficLog() = default;
    // An empty path logs nothing.
    explicit TrafficLog(const std::string& path);
    ~TrafficLog();
    TrafficLog(TrafficLog&& other) noexcept;
    TrafficLog& operator=(TrafficLog&& other) noexcept;
    TrafficLog(const TrafficLog&) = delete;
    TrafficLog& operator=(const TrafficLog&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    void HostWrote(std::span<const uint8_t> bytes) const { Append('>', bytes); }
    void MouseSent(std::span<const uint8_t> bytes) const { Append('<', bytes); }

    // "> 00 10" style line without the newline; exposed for tests.
    static std::string FormatLine(char direction, std::span<const uint8_t> bytes);

    // The host's writes read back from a log file: the reports of the "> "
    // lines from line `first_line` (counted from 0) on, and the number of
    // lines the file holds, where a later read can carry on.
    struct HostWrites {
        std::vector<std::vector<uint8_t>> reports;
        std::size_t lines = 0;
    };
    static HostWrites ReadHostWrites(const std::string& path, std::size_t first_line);

private:
    void Append(char direction, std::span<const uint8_t> bytes) const;

    int fd_ = -1;
};

}  // namespace mousedeck::sim
