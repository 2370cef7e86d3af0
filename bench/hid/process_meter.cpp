#include "process_meter.h"

#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace mousedeck::bench {

uint64_t ProcessMeter::ContextSwitches() {
    const std::string self = std::to_string(static_cast<long>(::syscall(SYS_gettid)));
    uint64_t total = 0;
    std::error_code ec;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", ec)) {
        if (task.path().filename() == self) {
            continue;
        }
        std::ifstream status(task.path() / "status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.starts_with("voluntary_ctxt_switches:") || line.starts_with("nonvoluntary_ctxt_switches:")) {
                total += std::stoull(line.substr(line.find(':') + 1));
            }
        }
    }
    return total;
}

double ProcessMeter::CpuSeconds() {
    timespec ts{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

void ProcessMeter::Begin() {
    switches_ = ContextSwitches();
    cpu_ = CpuSeconds();
    start_ = std::chrono::steady_clock::now();
}

ProcessMeter::Result ProcessMeter::End() const {
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    Result r;
    r.wakeups_per_second = static_cast<double>(ContextSwitches() - switches_) / wall;
    r.cpu_percent = 100.0 * (CpuSeconds() - cpu_) / wall;
    return r;
}

}  // namespace mousedeck::bench
