#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "sim/mouse_state.h"

namespace mousedeck::sim {

// The file that lets separate processes meet the same mouse. Saves replace
// the file atomically (write a temporary file beside it, then rename), so a
// reader never sees half a state.
class StateFile {
public:
    StateFile() = default;
    // An empty path keeps the state in memory only.
    explicit StateFile(std::string path) : path_(std::move(path)) {}

    bool Enabled() const { return !path_.empty(); }
    const std::string& path() const { return path_; }

    // The saved state; nothing when the file is missing or damaged.
    std::optional<MouseState> Load();
    // True when another process replaced the file since our last Load or Save.
    bool ChangedOnDisk() const;
    bool Save(const MouseState& state);

private:
    struct Stamp {
        long long inode = 0;
        timespec mtime{};
        long long size = -1;
    };
    std::optional<Stamp> StampOnDisk() const;

    std::string path_;
    std::optional<Stamp> seen_;
};

}  // namespace mousedeck::sim
