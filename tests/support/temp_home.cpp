#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

namespace mousedeck::test {
namespace {

std::filesystem::path& ProcessRoot() {
    static std::filesystem::path root;
    return root;
}

// Every test process gets its own HOME and XDG folders, so no test reads or
// writes the real user's settings, and parallel test processes never meet.
class PrivateHomeEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "mousedeck-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        ProcessRoot() = pattern;
        const auto home = ProcessRoot() / "home";
        std::filesystem::create_directories(home);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
        setenv("XDG_DATA_HOME", (home / ".local/share").c_str(), 1);
        setenv("XDG_STATE_HOME", (home / ".local/state").c_str(), 1);
        setenv("XDG_CACHE_HOME", (home / ".cache").c_str(), 1);
        unsetenv("MOUSEDECK_DATA_DIR");
        unsetenv("MOUSEDECK_SIM_LOG");
        unsetenv("MOUSEDECK_SIM_STATE");
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(ProcessRoot(), ec);
    }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new PrivateHomeEnvironment);

}  // namespace

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    auto base = ProcessRoot().empty() ? std::filesystem::temp_directory_path() : ProcessRoot();
    path_ = base / ("tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path());
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path ExecutableFolder() {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
}

}  // namespace mousedeck::test
