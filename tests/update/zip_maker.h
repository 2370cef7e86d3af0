#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace mousedeck::update::test {

// One entry of an archive the tests build with minizip's writer.
struct ZipEntry {
    std::string name;
    std::string data;
    // "Version made by": 0 for DOS/Windows, kMadeOnUnix for Unix, whose
    // mode then goes in the high half of the external attributes.
    uint16_t made_by = 0;
    uint32_t external_attributes = 0;
    bool stored = false;  // no compression: the data stands verbatim in the file
    // Local modification time written into the entry.
    int year = 2021, month = 6, day = 15, hour = 10, minute = 30, second = 20;
};

inline constexpr uint16_t kMadeOnUnix = 3 << 8 | 30;
// A Unix entry's external attributes for `mode` (type and permission bits).
inline uint32_t UnixAttributes(uint32_t mode) {
    return mode << 16;
}

// Writes the archive; false when minizip refused.
bool WriteZip(const std::filesystem::path& file, const std::vector<ZipEntry>& entries);

}  // namespace mousedeck::update::test
