#pragma once

#include <filesystem>
#include <string>

namespace mousedeck::test {

// A folder below the test process's private root, created on first use and
// removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Writes bytes to a file, creating missing parent folders.
void WriteFile(const std::filesystem::path& file, const std::string& bytes);
// The whole file as bytes; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& file);

// Folder holding the test executable, where the build copies config.xml,
// device/ and language/.
std::filesystem::path ExecutableFolder();

}  // namespace mousedeck::test
