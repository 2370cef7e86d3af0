#pragma once

#include <chrono>
#include <cstdint>

namespace mousedeck::bench {

// Wakeups and CPU time of this process over a window. A wakeup is a context
// switch of any thread but the measuring one, read from
// /proc/self/task/*/status (voluntary and non-voluntary switches).
class ProcessMeter {
public:
    void Begin();
    struct Result {
        double wakeups_per_second = 0;
        double cpu_percent = 0;  // of one core
    };
    Result End() const;

private:
    static uint64_t ContextSwitches();
    static double CpuSeconds();

    uint64_t switches_ = 0;
    double cpu_ = 0;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace mousedeck::bench
