#include "update/version_compare.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace mousedeck::update {
namespace {

std::vector<std::string_view> SplitAtDots(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = text.find('.', start);
        if (dot == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, dot - start));
        start = dot + 1;
    }
}

// The part's leading digits as a number; saturates instead of wrapping, so a
// huge part still compares as huge.
uint64_t LeadingNumber(std::string_view part) {
    constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
    uint64_t value = 0;
    for (const char c : part) {
        if (c < '0' || c > '9') {
            break;
        }
        const auto digit = static_cast<uint64_t>(c - '0');
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return value;
}

bool IsVersionCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
           c == '_' || c == '+' || c == '-';
}

bool IsTrailingSpace(char c) {
    return c == '\n' || c == '\r' || c == ' ' || c == '\t';
}

}  // namespace

int CompareVersions(std::string_view current, std::string_view latest) {
    const std::vector<std::string_view> mine = SplitAtDots(current);
    const std::vector<std::string_view> theirs = SplitAtDots(latest);
    if (mine.size() != theirs.size()) {
        return 2;
    }
    for (std::size_t i = 0; i < mine.size(); ++i) {
        const uint64_t a = LeadingNumber(mine[i]);
        const uint64_t b = LeadingNumber(theirs[i]);
        if (a != b) {
            return a > b ? -1 : 1;
        }
    }
    return 0;
}

bool IsSafeVersionText(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (!IsVersionCharacter(c)) {
            return false;
        }
    }
    return true;
}

std::optional<std::string> VersionFromAnswer(std::string_view answer, std::size_t max_chars) {
    while (!answer.empty() && IsTrailingSpace(answer.back())) {
        answer.remove_suffix(1);
    }
    if (answer.size() > max_chars || !IsSafeVersionText(answer)) {
        return std::nullopt;
    }
    return std::string(answer);
}

}  // namespace mousedeck::update
