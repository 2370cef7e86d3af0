#include <array>

#include "commands.h"

namespace mousedeck::ctl {
namespace {

constexpr std::string_view kProgramHelp =
    R"(Usage: mousedeckctl [--simulate[=<device_type>]] [--json] [--yes] <command> [<args>]

Configure a supported mouse from the command line: every change is stored
in the current profile first, then sent to the mouse.

Commands:
  devices                                  products, connections, online state, firmware, battery
  show                                     the current profile: every setting, button and lighting
  set <setting> <value>...                 report-rate, dpi, dpi-count, dpi-active, dpi-colour,
                                           lift-off, sensor, sleep, wake-on-move,
                                           lights-off-on-move, debounce
  reset dpi|report-rate                    a setting back to the product's default
  reset --yes                              factory reset of the mouse and all four profiles
  lighting effect|brightness|speed|colour|reset ...
  button list|set|reset ...
  profile list|use|rename|export|import ...
  macro list|show|rename|delete|export|import ...
  monitor [--seconds N]                    print DPI, connection and battery changes as they come
  update check|install --yes               a newer version of this program, and its installer
  firmware check|flash --yes [--file F]    a newer mouse firmware; write it, or an image or archive F
  sim press-dpi|cable|receiver|mouse|battery|sensor|max-rate ...   (with --simulate)

Options:
  --simulate[=<device_type>]  use the simulated mouse (default: the first product)
  --json                      print one JSON document instead of text
  -y, --yes                   answer every question with yes
  -h, --help                  this help, or a command's help after the command
  --version                   the program's version

Exit status: 0 done and acknowledged by the mouse; 1 stored but not
acknowledged, or the mouse is not connected (the value is kept and goes with
the next write); 2 usage error; 3 no supported device. For update and
firmware: 0 also when already up to date; 1 when the server is not reachable
or gives no version, the download or the flash failed.
See mousedeckctl(1) and 'mousedeckctl <command> --help'.
)";

constexpr std::string_view kDevicesHelp = R"(Usage: mousedeckctl devices

Lists every product of the catalogue with its connections (cable and
receiver: USB ids, present, reachable, release number), the product in use,
the mouse firmware and the battery. Exit status 3 when no supported device
is connected.
)";

constexpr std::string_view kShowHelp = R"(Usage: mousedeckctl show

Prints the current profile of the mouse in use: its name, report rate, DPI
stages with their colours and the active stage, lift-off distance, sensor
options, sleep time, wake-on-move, lights-off-on-move, button response time,
every button's function and the lighting effect.
)";

constexpr std::string_view kSetHelp = R"(Usage: mousedeckctl set <setting> <value>...

  report-rate <125|250|500|1000|2000|4000|8000>   only the rates this mouse offers
  dpi <stage 1-6> <value>          stepped and bounded for the mouse's sensor, printed back
  dpi-count <1-6>                  the active stage stays below the count
  dpi-active <stage>               one of the current stages
  dpi-colour <stage 1-6> <#RRGGBB> any colour but black
  lift-off <1|2>                   1.0 mm or 2.0 mm (when the mouse offers it)
  sensor <on|off> <on|off> <on|off>  the three sensor options in page order
  sleep <1|2|5|6|10|20|30>         minutes
  wake-on-move <on|off>
  lights-off-on-move <on|off>
  debounce <0-20>                  ms; larger values are bounded to 20

The value is stored in the current profile and sent to the mouse.
)";

constexpr std::string_view kResetHelp = R"(Usage: mousedeckctl reset dpi [--yes]
       mousedeckctl reset report-rate
       mousedeckctl reset --yes

  dpi           the product's default DPI stages and colours (asks: needs --yes)
  report-rate   the product's default report rate
  --yes         factory reset: the mouse and all four profiles go back to their
                defaults (refused without a connected mouse)
)";

constexpr std::string_view kLightingHelp = R"(Usage: mousedeckctl lighting <what> ...

  effect <off|flowing|breathing|steady|neon|wave>   one the mouse offers
  brightness <0-4>          when the effect has a brightness
  speed <0-4>               when the effect has a speed
  colour <#RRGGBB> [--slot <1-7>]   slot 1 unless given; slots only for effects with seven colours
  reset [--yes]             the lighting the mouse keeps as its default (asks: needs --yes)

Changes apply to the current effect of the current profile.
)";

constexpr std::string_view kButtonHelp = R"(Usage: mousedeckctl button list
       mousedeckctl button set <button> <function>
       mousedeckctl button reset <button> [--yes] | --all [--yes]

<button> is its number (key code) or its name with '-' for blanks
(left-button). <function> is one of:
  mouse <left|right|middle|back|forward|wheel-up|wheel-down|fire>
  key <combination such as ctrl+alt+f5 or shift+a>
  media <volume-up|volume-down|mute|player|play-pause|stop|previous|next>
  shortcut <brightness-up|brightness-down|calculator|computer|home|mail|
            desktop|switch-window|copy|paste|cut>
  dpi <cycle|up|down> | special <1|2> | fire <A 5-255> <B 0-255>
  macro <macro id> | disable
The primary button (0) always keeps its function. Resets ask first: add --yes.
)";

constexpr std::string_view kProfileHelp = R"(Usage: mousedeckctl profile list
       mousedeckctl profile use <1-4>
       mousedeckctl profile rename <1-4> <name>
       mousedeckctl profile export <file>
       mousedeckctl profile import <file>

'use' makes the profile current and active and writes all of its settings
to the mouse. 'export' writes the current profile to an XML file; 'import'
reads one into the current profile, renames it after the file and writes
all of its settings to the mouse. Profiles need a connected mouse.
)";

constexpr std::string_view kMonitorHelp = R"(Usage: mousedeckctl monitor [--seconds N]

Prints the DPI stage, connection and battery changes the mouse reports, one
line each (one JSON object per line with --json), until N seconds have
passed or the program is interrupted.
)";

constexpr std::string_view kSimHelp = R"(Usage: mousedeckctl --simulate[=<device_type>] sim <action>

  press-dpi                 press the DPI button: the next stage
  cable <plug|unplug>
  receiver <plug|unplug>
  mouse <on|off>            the mouse's power switch (matters behind the receiver)
  battery <0-100>
  sensor <code>             the sensor code the mouse reports (0-255)
  max-rate <none|2000|4000|8000>   the highest report rate it reports

Changes the stored state of the simulated mouse. What it makes the mouse
send (a DPI or connection report) reaches the next run that talks to the
mouse, or a running 'monitor' at once.
)";

constexpr std::string_view kMacroHelp = R"(Usage: mousedeckctl macro list
       mousedeckctl macro show <id>
       mousedeckctl macro rename <id> <name>
       mousedeckctl macro delete <id>
       mousedeckctl macro export <file> [--format a|b] [--macro <id>]
       mousedeckctl macro import <file> [--format a|b]

Macros are shared by all profiles. 'rename' also renames the buttons of the
current profile that play the macro; after 'delete' buttons bound to it get
their default function. Format a holds one macro (--macro), format b every
macro (the default without --macro); import reads either unless told.
)";

constexpr std::string_view kUpdateHelp = R"(Usage: mousedeckctl update check
       mousedeckctl update install --yes

'check' asks the update server of the product data whether a newer version
of this program exists. 'install' downloads it and starts its installer.
Exit status 0 when answered (also when up to date), 1 when the server is not
reachable or gives no version, or the download or installer failed.
)";

constexpr std::string_view kFirmwareHelp = R"(Usage: mousedeckctl firmware check
       mousedeckctl firmware flash --yes [--file <zip or image>]

'check' asks the product's firmware server whether a newer mouse firmware
exists. 'flash' downloads a newer one and writes it into the mouse, or with
--file writes a raw image or a zip archive holding one. A flash, once begun,
is never cut short: an interrupt waits until it is done. Progress shows as a
bar on a terminal. Exit status 0 when written (or already up to date), 1 when
the server is not reachable, the download failed or the mouse refused the
image, 2 for a file that holds no image, 3 without a connected mouse.
)";

constexpr std::array<CommandGroup, 12> kGroups = {{
    {"devices", RunDevices, kDevicesHelp, {}},
    {"show", RunShow, kShowHelp, {}},
    {"set", RunSet, kSetHelp, {}},
    {"reset", RunReset, kResetHelp, {}},
    {"lighting", RunLighting, kLightingHelp, "slot"},
    {"button", RunButton, kButtonHelp, "all"},
    {"profile", RunProfile, kProfileHelp, {}},
    {"monitor", RunMonitor, kMonitorHelp, "seconds"},
    {"macro", RunMacro, kMacroHelp, "format macro"},
    {"update", RunUpdate, kUpdateHelp, {}},
    {"firmware", RunFirmware, kFirmwareHelp, "file"},
    {"sim", RunSim, kSimHelp, {}},
}};

}  // namespace

std::span<const CommandGroup> CommandGroups() {
    return kGroups;
}

const CommandGroup* FindCommandGroup(std::string_view name) {
    for (const CommandGroup& group : kGroups) {
        if (group.name == name) {
            return &group;
        }
    }
    return nullptr;
}

std::string_view ProgramHelp() {
    return kProgramHelp;
}

std::unique_ptr<Session> StartWithDevice(const Invocation& invocation, Report& report, bool hotplug) {
    std::unique_ptr<Session> session = Session::Open(invocation, report);
    if (!session || !session->Start(report, hotplug) || !session->RequireDevice(report)) {
        return nullptr;
    }
    return session;
}

bool OnlyOptions(const Invocation& invocation, std::initializer_list<std::string_view> allowed,
                 std::string_view command, Report& report) {
    for (const auto& [name, value] : invocation.options) {
        bool known = false;
        for (std::string_view options : allowed) {
            while (!options.empty()) {
                const std::size_t blank = options.find(' ');
                known = known || options.substr(0, blank) == name;
                options = blank == std::string_view::npos ? std::string_view() : options.substr(blank + 1);
            }
        }
        if (!known) {
            UsageOf(command, std::string(command) + " takes no --" + name, report);
            return false;
        }
    }
    return true;
}

void UsageOf(std::string_view command, const std::string& message, Report& report) {
    report.Usage(message + " (see mousedeckctl " + std::string(command) + " --help)");
}

}  // namespace mousedeck::ctl
