#include "update/installer_launcher.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace mousedeck::update {

namespace {

class SpawnSetup {
public:
    SpawnSetup() {
        ok_ = posix_spawn_file_actions_init(&actions_) == 0;
        ok_ = posix_spawnattr_init(&attributes_) == 0 && ok_;
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions_);
        posix_spawnattr_destroy(&attributes_);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    bool Prepare() {
        for (const int fd : {0, 1, 2}) {
            const int flags = fd == 0 ? O_RDONLY : O_WRONLY;
            ok_ = ok_ && posix_spawn_file_actions_addopen(&actions_, fd, "/dev/null", flags, 0) == 0;
        }
        // A session of its own: the installer keeps running when this
        // program and its terminal go.
        ok_ = ok_ && posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSID) == 0;
        return ok_;
    }
    const posix_spawn_file_actions_t* actions() const { return &actions_; }
    const posix_spawnattr_t* attributes() const { return &attributes_; }

private:
    posix_spawn_file_actions_t actions_{};
    posix_spawnattr_t attributes_{};
    bool ok_ = false;
};

}  // namespace

bool StartDetached(const std::filesystem::path& program) {
    struct stat info {};
    if (::stat(program.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    if ((info.st_mode & S_IXUSR) == 0 && ::chmod(program.c_str(), (info.st_mode & 07777) | S_IXUSR) != 0) {
        return false;
    }
    SpawnSetup setup;
    if (!setup.Prepare()) {
        return false;
    }
    std::string path = program.string();
    char* argv[] = {path.data(), nullptr};
    pid_t child = 0;
    // glibc reports a failed exec here, so true means the program runs.
    return posix_spawn(&child, path.c_str(), setup.actions(), setup.attributes(), argv, ::environ) == 0;
}

}  // namespace mousedeck::update
