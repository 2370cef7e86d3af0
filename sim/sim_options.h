#pragma once

#include <chrono>
#include <string>

namespace mousedeck::sim {

struct SimOptions {
    // Traffic log file; empty: no log.
    std::string log_path;
    // State file shared by every process that names it; empty: state in memory.
    std::string state_path;
    // Time from a write to its reply becoming readable. 1 ms is a 1000 Hz device.
    std::chrono::microseconds reply_latency{1000};
    // After a successful firmware upgrade the mouse restarts: its wired
    // interfaces leave and return, and behind the receiver it drops off and
    // reconnects (0xC0 off, then on).
    bool reboot_after_upgrade = true;
    // Distinguishes the paths of several simulated mice in one process;
    // 0 picks the next free number.
    int unit = 0;

    // Defaults, with log_path from MOUSEDECK_SIM_LOG and state_path from
    // MOUSEDECK_SIM_STATE.
    static SimOptions FromEnvironment();
};

}  // namespace mousedeck::sim
