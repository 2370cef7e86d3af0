#include "update/local_image.h"

#include <string>

#include "shell/file_system.h"
#include "update/firmware_reports.h"
#include "update/unpack.h"

namespace mousedeck::update {
namespace {

bool IsZip(const std::vector<uint8_t>& bytes) {
    return bytes.size() >= 4 && bytes[0] == 'P' && bytes[1] == 'K' && bytes[2] == 3 && bytes[3] == 4;
}

std::optional<std::vector<uint8_t>> Usable(std::vector<uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > kMaxImageBytes) {
        return std::nullopt;
    }
    return bytes;
}

// The one image among the regular files directly in `folder`: a server-style
// name wins over any other ".bin".
std::optional<std::filesystem::path> FindImage(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> named;
    std::vector<std::filesystem::path> other;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (!entry.is_regular_file(error) || entry.is_symlink(error)) {
            continue;
        }
        const std::string name = entry.path().filename().string();
        if (!name.ends_with(".bin")) {
            continue;
        }
        (name.starts_with("firmware     -") ? named : other).push_back(entry.path());
    }
    if (named.size() == 1) {
        return named.front();
    }
    if (named.empty() && other.size() == 1) {
        return other.front();
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<uint8_t>> LoadLocalImage(const std::filesystem::path& file, const UpdateFolder& folder) {
    std::error_code error;
    // An archive may be larger than the image, but not without bound.
    const shell::FileBytes read = shell::ReadFileBytes(file, 4 * kMaxImageBytes);
    if (read.status != shell::ReadStatus::kOk) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(read.bytes.begin(), read.bytes.end());
    if (!IsZip(bytes)) {
        return Usable(std::move(bytes));
    }
    if (!folder.Recreate() || !Unpack(file, folder.Path())) {
        return std::nullopt;
    }
    const std::optional<std::filesystem::path> image = FindImage(folder.Path());
    if (!image) {
        return std::nullopt;
    }
    const shell::FileBytes image_bytes = shell::ReadFileBytes(*image, kMaxImageBytes);
    std::filesystem::remove(*image, error);
    if (image_bytes.status != shell::ReadStatus::kOk) {
        return std::nullopt;
    }
    return Usable(std::vector<uint8_t>(image_bytes.bytes.begin(), image_bytes.bytes.end()));
}

}  // namespace mousedeck::update
