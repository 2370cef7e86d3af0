#pragma once

#include <span>
#include <string_view>

namespace mousedeck::store {

// The statements that create a new settings database, in the order they run.
// Every statement is idempotent ("IF NOT EXISTS").
std::span<const std::string_view> SchemaStatements();

}  // namespace mousedeck::store
