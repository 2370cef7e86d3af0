#include "pages/performance/value_words.h"

#include <array>
#include <charconv>
#include <limits>
#include <utility>

namespace mousedeck::pages::performance {
namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<int> ParseWholeNumber(std::string_view word) {
    const bool negative = !word.empty() && word.front() == '-';
    std::string_view digits = word;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        digits.remove_prefix(1);
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    for (char c : digits) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
    }
    long long number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error == std::errc::result_out_of_range || number > std::numeric_limits<int>::max()) {
        return negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    }
    return static_cast<int>(negative ? -number : number);
}

std::optional<bool> ParseSwitch(std::string_view word) {
    static constexpr std::array<std::pair<std::string_view, bool>, 8> kWords = {{
        {"on", true},
        {"off", false},
        {"1", true},
        {"0", false},
        {"yes", true},
        {"no", false},
        {"true", true},
        {"false", false},
    }};
    for (const auto& [name, on] : kWords) {
        if (SameWord(word, name)) {
            return on;
        }
    }
    return std::nullopt;
}

bool SameWord(std::string_view word, std::string_view name) {
    if (word.size() != name.size()) {
        return false;
    }
    for (std::size_t k = 0; k < word.size(); ++k) {
        if (LowerAscii(word[k]) != LowerAscii(name[k])) {
            return false;
        }
    }
    return true;
}

bool SameWordWithUnit(std::string_view word, std::string_view name, std::string_view unit) {
    if (SameWord(word, name)) {
        return true;
    }
    return word.size() == name.size() + unit.size() && SameWord(word.substr(0, name.size()), name) &&
           SameWord(word.substr(name.size()), unit);
}

}  // namespace mousedeck::pages::performance
