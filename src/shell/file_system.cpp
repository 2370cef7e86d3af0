#include "shell/file_system.h"

#include <system_error>

namespace mousedeck::shell {

bool CreateFolderPath(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return std::filesystem::is_directory(folder, ec);
}

}  // namespace mousedeck::shell
