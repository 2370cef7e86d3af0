#include "update/update_folder.h"

#include <system_error>

#include "shell/file_system.h"

namespace mousedeck::update {

UpdateFolder::UpdateFolder(std::filesystem::path data_folder)
    : data_folder_(std::move(data_folder)), path_(data_folder_ / "temp") {}

bool UpdateFolder::Create() const {
    return shell::CreateFolderPath(path_);
}

bool UpdateFolder::Recreate() const {
    if (!IsDeletable(path_, data_folder_)) {
        return false;
    }
    std::error_code error;
    std::filesystem::remove_all(path_, error);  // a link is removed itself, not what it points to
    if (error) {
        return false;
    }
    return Create();
}

bool UpdateFolder::IsDeletable(const std::filesystem::path& folder,
                               const std::filesystem::path& data_folder) {
    if (!folder.is_absolute() || !data_folder.is_absolute()) {
        return false;
    }
    const std::filesystem::path inner = folder.lexically_normal();
    const std::filesystem::path outer = data_folder.lexically_normal();
    if (outer == outer.root_path()) {
        return false;
    }
    const std::filesystem::path rest = inner.lexically_relative(outer);
    if (rest.empty() || rest == ".") {
        return false;
    }
    return *rest.begin() != "..";
}

}  // namespace mousedeck::update
