// Arbitrary bytes as a downloaded zip archive, unpacked into a fresh folder.
// Whatever the entries say, nothing may appear outside that folder and
// nothing inside it may be a symbolic link.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "update/unpack.h"

namespace {

namespace fs = std::filesystem;

const fs::path& Root() {
    static const fs::path root = [] {
        char pattern[] = "/tmp/unpack_fuzz-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        if (made == nullptr) {
            __builtin_trap();
        }
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(Root(), ignored);
        });
        return fs::path(made);
    }();
    return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fs::path archive = Root() / "archive.zip";
    const fs::path target = Root() / "target";
    {
        std::ofstream out(archive, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    mousedeck::update::Unpack(archive, target);

    for (const fs::directory_entry& entry : fs::directory_iterator(Root())) {
        if (entry.path() != archive && entry.path() != target) {
            __builtin_trap();  // written beside the target folder
        }
    }
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(target, error))) {
        __builtin_trap();
    }
    for (auto it = fs::recursive_directory_iterator(target, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_symlink()) {
            __builtin_trap();
        }
    }
    // libFuzzer may end without running exit handlers: leave at most the
    // empty root folder behind.
    fs::remove_all(target, error);
    fs::remove(archive, error);
    return 0;
}
