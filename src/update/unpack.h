#pragma once

#include <filesystem>

namespace mousedeck::update {

// Extracts every entry of the zip archive `archive` into `folder` (created
// with its parents when missing), in archive order, under its stored name
// made safe (ResolveEntryName): an entry that would land outside `folder` is
// skipped. False only when the archive cannot be opened; errors of single
// entries are skipped silently.
//
// Links are never followed or created: link entries (and devices, pipes)
// are skipped, and a link already on the way, `folder` itself included,
// makes the entries below it fail. Each file is written to a temporary name
// and renamed into place only when it extracted whole and its CRC-32
// matched, so a damaged entry leaves no file behind (and never half an
// installer). Files get the entry's modification time (stored as local
// time) and, for entries made on Unix, its permission bits (without
// set-id bits); entries from other systems get read-only when their
// read-only attribute is set, else read-write.
bool Unpack(const std::filesystem::path& archive, const std::filesystem::path& folder);

}  // namespace mousedeck::update
