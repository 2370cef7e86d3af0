// mousedeckctl: configure a supported mouse from the command line, through
// the same application controller, store and task queue as the GUI.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "command_line.h"
#include "commands.h"
#include "report.h"

namespace {

using namespace mousedeck::ctl;

int PrintHelp(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return kExitDone;
}

int Run(const std::vector<std::string>& arguments) {
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    Report report;
    if (!parsed.invocation) {
        report.Usage(parsed.error);
        report.Print(false);
        return report.ExitCode();
    }
    const Invocation& invocation = *parsed.invocation;
    if (invocation.version) {
        std::printf("mousedeckctl %s\n", MOUSEDECK_VERSION);
        return kExitDone;
    }
    const std::vector<std::string>& words = invocation.words;
    if (words.empty() || words.front() == "help") {
        if (words.size() > 1) {
            if (const CommandGroup* group = FindCommandGroup(words[1])) {
                return PrintHelp(group->help);
            }
        }
        if (invocation.help || !words.empty()) {
            return PrintHelp(ProgramHelp());
        }
        report.Usage("a command is needed; see mousedeckctl --help");
        report.Print(invocation.json);
        return report.ExitCode();
    }
    const CommandGroup* group = FindCommandGroup(words.front());
    if (group == nullptr) {
        report.Usage("unknown command '" + words.front() + "'; see mousedeckctl --help");
        report.Print(invocation.json);
        return report.ExitCode();
    }
    if (invocation.help) {
        return PrintHelp(group->help);
    }
    report.Json()["command"] = std::string(group->name);
    if (!OnlyOptions(invocation, {group->option}, group->name, report)) {
        report.Print(invocation.json);
        return report.ExitCode();
    }
    group->run(invocation, std::span<const std::string>(words).subspan(1), report);
    report.Print(invocation.json);
    return report.ExitCode();
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mousedeckctl: %s\n", error.what());
        return kExitNotAcknowledged;
    }
}
