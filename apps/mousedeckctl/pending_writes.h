#pragma once

#include <filesystem>
#include <vector>

#include "operation.h"

namespace mousedeck::ctl {

// The changes one product's mouse has not acknowledged, each with the
// profile it was made in. Every run reads the mouse's settings back into
// the current profile when it connects, which would replace a stored change
// the mouse never took; so a run that could not send a change writes it
// here, and the next run that reaches the mouse sends it again after its
// read-back.
//
// A text file: a header line, then "<profile>\t<operation>" per change, in
// the order they were made. Saves replace it atomically.
class PendingWrites {
public:
    struct Entry {
        int profile = 0;
        Operation operation;

        bool operator==(const Entry&) const = default;
    };

    explicit PendingWrites(std::filesystem::path file) : file_(std::move(file)) {}

    // Every entry; none when the file is missing or damaged.
    std::vector<Entry> Load() const;
    // Replaces the file; an empty list removes it. False when it could not
    // be written.
    bool Save(const std::vector<Entry>& entries) const;

    // Appends `entry`, dropping the earlier entries it makes needless
    // (SameTarget). A lighting change depends on the effect chosen before
    // it, so it only replaces the entry just before it. At most kMaxEntries
    // are kept; the oldest go first.
    static void Add(std::vector<Entry>& entries, const Entry& entry);
    static constexpr std::size_t kMaxEntries = 64;

private:
    std::filesystem::path file_;
};

}  // namespace mousedeck::ctl
