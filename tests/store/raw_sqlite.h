#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Direct access to a database file through the SQLite C interface, so tests
// check what really landed in the file without trusting the code under test.
namespace mousedeck::store::test {

using Rows = std::vector<std::vector<std::string>>;

// Every row of `sql` as text (NULL as "<null>"). A failure gives one row
// {"<error>", message}.
Rows RawQuery(const std::filesystem::path& file, const std::string& sql);

// Runs statements; true when they all succeeded.
bool RawExec(const std::filesystem::path& file, const std::string& sql);

// The single value of a one-row, one-column query, or "<none>".
std::string RawValue(const std::filesystem::path& file, const std::string& sql);

}  // namespace mousedeck::store::test
