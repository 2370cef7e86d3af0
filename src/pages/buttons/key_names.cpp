#include "pages/buttons/key_names.h"

#include <charconv>

#include "pages/buttons/ascii_lower.h"
#include "pages/buttons/key_name_table.h"

namespace mousedeck::pages::buttons {
namespace {

// The number after `prefix` in `word` when it lies in first..last, else -1.
int NumberAfter(std::string_view word, std::string_view prefix, int first, int last) {
    if (!word.starts_with(prefix) || word.size() == prefix.size()) {
        return -1;
    }
    const std::string_view digits = word.substr(prefix.size());
    if (digits.front() == '0' && digits.size() > 1) {
        return -1;  // "f05" is not a key
    }
    int number = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc{} || end != digits.data() + digits.size() || number < first || number > last) {
        return -1;
    }
    return number;
}

struct Naming {
    std::string word;
    std::string name;
};

Naming NamingOf(int virtual_key) {
    if (virtual_key >= kFirstLetterKey && virtual_key < kFirstLetterKey + 26) {
        const int index = virtual_key - kFirstLetterKey;
        return {std::string(1, static_cast<char>('a' + index)),
                std::string(1, static_cast<char>('A' + index))};
    }
    if (virtual_key >= kFirstDigitKey && virtual_key < kFirstDigitKey + 10) {
        const std::string digit(1, static_cast<char>('0' + virtual_key - kFirstDigitKey));
        return {digit, digit};
    }
    if (virtual_key >= kFirstFunctionKey && virtual_key < kFirstFunctionKey + kFunctionKeyCount) {
        const std::string number = std::to_string(virtual_key - kFirstFunctionKey + 1);
        return {"f" + number, "F" + number};
    }
    if (virtual_key >= kFirstKeypadDigitKey && virtual_key < kFirstKeypadDigitKey + 10) {
        const std::string number = std::to_string(virtual_key - kFirstKeypadDigitKey);
        return {"num" + number, "Num " + number};
    }
    for (const NamedKey& key : kNamedKeys) {
        if (key.virtual_key == virtual_key) {
            return {std::string(key.word), std::string(key.name)};
        }
    }
    return {};
}

}  // namespace

int KeyCodeOfWord(std::string_view word) {
    const std::string lower = AsciiLower(word);
    if (lower.size() == 1 && lower[0] >= 'a' && lower[0] <= 'z') {
        return kFirstLetterKey + (lower[0] - 'a');
    }
    if (lower.size() == 1 && lower[0] >= '0' && lower[0] <= '9') {
        return kFirstDigitKey + (lower[0] - '0');
    }
    if (const int number = NumberAfter(lower, "f", 1, kFunctionKeyCount); number > 0) {
        return kFirstFunctionKey + number - 1;
    }
    if (const int number = NumberAfter(lower, "num", 0, 9); number >= 0) {
        return kFirstKeypadDigitKey + number;
    }
    for (const NamedKey& key : kNamedKeys) {
        if (key.word == lower) {
            return key.virtual_key;
        }
    }
    return 0;
}

std::string KeyWordOf(int virtual_key) {
    return NamingOf(virtual_key).word;
}

std::string KeyNameOf(int virtual_key) {
    return NamingOf(virtual_key).name;
}

}  // namespace mousedeck::pages::buttons
