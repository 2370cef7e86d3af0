#pragma once

#include <filesystem>
#include <string>

namespace mousedeck::update {

// The temporary folder downloads are unpacked in: "temp" in the per-user
// data folder. Deleting it is guarded, since a wrong path there would wipe
// whatever it names.
class UpdateFolder {
public:
    explicit UpdateFolder(std::filesystem::path data_folder);

    const std::filesystem::path& Path() const { return path_; }
    const std::filesystem::path& DataFolder() const { return data_folder_; }
    std::filesystem::path File(const std::string& name) const { return path_ / name; }

    // Creates the folder with its missing parents; true when it exists.
    bool Create() const;
    // Deletes the folder with everything in it (links inside are removed,
    // never followed), then creates it again. Nothing is deleted unless
    // IsDeletable(Path(), DataFolder()) holds; false then, and when the
    // folder cannot be emptied or created.
    bool Recreate() const;

    // True only for an absolute `folder` strictly inside an absolute data
    // folder that is not the root, judged on the normalised paths (so
    // "data/temp/../.." is outside).
    static bool IsDeletable(const std::filesystem::path& folder, const std::filesystem::path& data_folder);

private:
    std::filesystem::path data_folder_;
    std::filesystem::path path_;
};

}  // namespace mousedeck::update
