#include "command_line.h"

#include <array>
#include <string_view>

#include "pages/performance/value_words.h"

namespace mousedeck::ctl {
namespace {

// Options of single commands that take a value (--slot 3 or --slot=3).
constexpr std::array<std::string_view, 5> kValueOptions = {"slot", "seconds", "format", "macro", "file"};
// Options of single commands that stand alone.
constexpr std::array<std::string_view, 1> kFlagOptions = {"all"};

bool IsOption(std::string_view word) {
    if (word.size() < 2 || word.front() != '-') {
        return false;
    }
    return !(word[1] >= '0' && word[1] <= '9');
}

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
    for (std::string_view known : names) {
        if (known == name) {
            return true;
        }
    }
    return false;
}

ParsedCommandLine Error(std::string message) {
    return {std::nullopt, std::move(message)};
}

}  // namespace

std::optional<std::string> Invocation::Option(const std::string& option) const {
    const auto it = options.find(option);
    if (it == options.end()) {
        return std::nullopt;
    }
    return it->second;
}

ParsedCommandLine ParseCommandLine(std::span<const std::string> arguments) {
    Invocation invocation;
    bool options_ended = false;
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        const std::string& word = arguments[k];
        if (options_ended || !IsOption(word)) {
            invocation.words.push_back(word);
            continue;
        }
        if (word == "--") {
            options_ended = true;
            continue;
        }
        if (word == "-h" || word == "--help") {
            invocation.help = true;
            continue;
        }
        if (word == "-y" || word == "--yes") {
            invocation.yes = true;
            continue;
        }
        if (word == "--version") {
            invocation.version = true;
            continue;
        }
        if (word == "--json") {
            invocation.json = true;
            continue;
        }
        if (!word.starts_with("--")) {
            return Error("unknown option '" + word + "'; see mousedeckctl --help");
        }
        const std::string_view body = std::string_view(word).substr(2);
        const std::size_t equals = body.find('=');
        const std::string name(body.substr(0, equals));
        const std::optional<std::string> inline_value =
            equals == std::string_view::npos ? std::nullopt
                                             : std::optional<std::string>(body.substr(equals + 1));

        if (name == "simulate") {
            int device_type = 0;
            if (inline_value) {
                const std::optional<int> number = pages::performance::ParseWholeNumber(*inline_value);
                if (!number || *number <= 0) {
                    return Error("--simulate takes a device type, a number such as 101, as --simulate=101");
                }
                device_type = *number;
            }
            invocation.simulate = device_type;
        } else if (Contains(kValueOptions, name)) {
            if (inline_value) {
                invocation.options[name] = *inline_value;
            } else if (k + 1 < arguments.size()) {
                invocation.options[name] = arguments[++k];
            } else {
                return Error("--" + name + " needs a value");
            }
        } else if (Contains(kFlagOptions, name)) {
            if (inline_value) {
                return Error("--" + name + " takes no value");
            }
            invocation.options[name] = "";
        } else {
            return Error("unknown option '" + word + "'; see mousedeckctl --help");
        }
    }
    return {std::move(invocation), {}};
}

}  // namespace mousedeck::ctl
