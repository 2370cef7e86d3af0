#pragma once

#include <filesystem>
#include <functional>

namespace mousedeck::update {

// Starts a program so that it outlives this one: in a session of its own,
// with standard input and output on /dev/null and no arguments, never waited
// for. Makes the file executable by its owner first (an installer unpacked
// from an archive made on Windows carries no execute bit). True once the
// program has been executed; false when it is missing or cannot be run.
bool StartDetached(const std::filesystem::path& program);

// The seam AppUpdater starts the installer through; tests substitute their
// own.
using ProgramStarter = std::function<bool(const std::filesystem::path& program)>;

}  // namespace mousedeck::update
