#pragma once

#include <string_view>

namespace mousedeck::pages::buttons {

// The entry of a family table with the given value, or nullptr.
template <typename Table>
constexpr auto FindByValue(const Table& table, int value) -> decltype(&table[0]) {
    for (const auto& entry : table) {
        if (entry.value == value) {
            return &entry;
        }
    }
    return nullptr;
}

// The entry of a family table named by `word` on the command line, or nullptr.
template <typename Table>
constexpr auto FindByWord(const Table& table, std::string_view word) -> decltype(&table[0]) {
    for (const auto& entry : table) {
        if (!entry.word.empty() && entry.word == word) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace mousedeck::pages::buttons
