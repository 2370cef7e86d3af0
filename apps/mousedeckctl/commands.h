#pragma once

#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "command_line.h"
#include "report.h"
#include "session.h"

namespace mousedeck::ctl {

// One command group: the first word of the command line. `run` gets the
// words after that first word.
using CommandRunner = void (*)(const Invocation& invocation, std::span<const std::string> args,
                               Report& report);

struct CommandGroup {
    std::string_view name;
    CommandRunner run;
    std::string_view help;  // the group's --help text
    // The options of its own it takes (slot, all, seconds, "format macro"),
    // separated by blanks.
    std::string_view option;
};

// Every command group, in the order the program's help lists them.
std::span<const CommandGroup> CommandGroups();
const CommandGroup* FindCommandGroup(std::string_view name);
// The program's --help text.
std::string_view ProgramHelp();

// One runner per group, each in its own file.
void RunDevices(const Invocation& invocation, std::span<const std::string> args, Report& report);
void RunShow(const Invocation& invocation, std::span<const std::string> args, Report& report);
void RunSet(const Invocation& invocation, std::span<const std::string> args, Report& report);
void RunReset(const Invocation& invocation, std::span<const std::string> args, Report& report);
void RunLighting(const Invocation& invocation, std::span<const std::string> args, Report& report);
void RunButton(const Invocation& invocation, std::span<const std::string> args, Report& report);
void RunProfile(const Invocation& invocation, std::span<const std::string> args, Report& report);
void RunMonitor(const Invocation& invocation, std::span<const std::string> args, Report& report);
void RunSim(const Invocation& invocation, std::span<const std::string> args, Report& report);
void RunMacro(const Invocation& invocation, std::span<const std::string> args, Report& report);
void RunUpdate(const Invocation& invocation, std::span<const std::string> args, Report& report);
void RunFirmware(const Invocation& invocation, std::span<const std::string> args, Report& report);
// profile export|import <file>, called by RunProfile.
void RunProfileFile(const Invocation& invocation, std::span<const std::string> args, Report& report);

// Opens a session, starts the controller and requires a connected device;
// null, with the failure in `report`, when any step fails.
std::unique_ptr<Session> StartWithDevice(const Invocation& invocation, Report& report, bool hotplug = false);

// False, with a usage error, when the invocation carries an option of
// another command (--slot, --seconds, --all) than those in `allowed`.
bool OnlyOptions(const Invocation& invocation, std::initializer_list<std::string_view> allowed,
                 std::string_view command, Report& report);

// A usage error naming the command's help.
void UsageOf(std::string_view command, const std::string& message, Report& report);

}  // namespace mousedeck::ctl
