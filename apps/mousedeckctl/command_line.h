#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mousedeck::ctl {

// What the user asked for, split into the options every command knows,
// the options of single commands and the command's words in order.
struct Invocation {
    // --simulate[=<device_type>]: run against the simulated mouse; 0 picks
    // the first product of the catalogue.
    std::optional<int> simulate;
    bool json = false;     // --json
    bool yes = false;      // --yes, -y: answer every question with yes
    bool help = false;     // --help, -h
    bool version = false;  // --version

    // The command and its arguments ("set", "dpi", "2", "1600").
    std::vector<std::string> words;
    // Options of single commands, by name without dashes: "slot" and
    // "seconds" carry a value, "all" none (its value is empty).
    std::map<std::string, std::string> options;

    bool Has(const std::string& option) const { return options.contains(option); }
    std::optional<std::string> Option(const std::string& option) const;
};

struct ParsedCommandLine {
    std::optional<Invocation> invocation;
    std::string error;  // when there is no invocation: what is wrong
};

// Options may stand anywhere among the words; "--" ends them, so a word
// after it is taken as it is (a profile named "--all"). A word of a dash
// followed by a digit is a word, not an option ("-5").
ParsedCommandLine ParseCommandLine(std::span<const std::string> arguments);

}  // namespace mousedeck::ctl
