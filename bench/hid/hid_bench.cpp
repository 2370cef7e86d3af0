// Transport benchmarks against the simulated mouse. Prints one line per
// figure, "figure <name> <value> <unit>", each the median over --runs runs.
//   mousedeck-bench-hid [--runs N] [--idle-seconds S] [--only roundtrip|start|idle|firmware]

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "firmware_reports.h"
#include "hid/device_manager.h"
#include "hid/task_code.h"
#include "hid/task_worker.h"
#include "observed_backend.h"
#include "polling_worker_model.h"
#include "process_meter.h"
#include "sim/simulated_hid_backend.h"
#include "sim/simulated_mouse.h"

namespace mousedeck::bench {
namespace {

using namespace std::chrono_literals;
using Ms = std::chrono::duration<double, std::milli>;

// The simulated mouse behind the host's device channel.
struct Rig {
    explicit Rig(std::chrono::microseconds latency, bool plugged = true)
        : mouse(sim::DefaultProduct(), Options(latency)), sim_backend(mouse), backend(sim_backend),
          manager(backend) {
        if (!plugged) {
            mouse.PlugCable(false);
            mouse.PlugReceiver(false);
        }
        for (const sim::SimMode& mode : mouse.product().modes) {
            manager.AddRule({mode.vendor_id, mode.product_id, mouse.product().device_type, mode.mode,
                             mouse.product().device_id});
        }
        manager.Enumerate();
        manager.SetCurrentDeviceType(mouse.product().device_type);
    }
    static sim::SimOptions Options(std::chrono::microseconds latency) {
        sim::SimOptions options;
        options.reply_latency = latency;
        options.reboot_after_upgrade = false;
        return options;
    }
    bool Present() { return manager.SelectInterface().has_value(); }

    sim::SimulatedMouse mouse;
    sim::SimulatedHidBackend sim_backend;
    ObservedBackend backend;
    hid::DeviceManager manager;
};

// Counts finished tasks so the driver can wait for them.
class Completions {
public:
    void Done(bool ok) {
        {
            std::lock_guard lock(mutex_);
            ++count_;
            failures_ += ok ? 0 : 1;
        }
        changed_.notify_all();
    }
    void WaitFor(uint64_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return count_ >= count; });
    }
    uint64_t failures() {
        std::lock_guard lock(mutex_);
        return failures_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    uint64_t count_ = 0;
    uint64_t failures_ = 0;
};

std::function<void()> ReportRateRoutine(hid::DeviceManager& manager, Completions& done) {
    return [&manager, &done] {
        hid::CommandFrame frame;
        frame[1] = 0x02;
        frame[3] = 0x01;
        frame[4] = 0x01;
        frame[5] = 0x01;
        done.Done(manager.Send(frame, 65));
    };
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5));
    return v[i];
}

using Figures = std::map<std::string, std::pair<std::vector<double>, std::string>>;

void Add(Figures& figures, const std::string& name, double value, const std::string& unit) {
    figures[name].first.push_back(value);
    figures[name].second = unit;
    std::fprintf(stderr, "  %s %.4f %s\n", name.c_str(), value, unit.c_str());
}

void RoundTrip(Figures& figures, std::chrono::microseconds latency, const std::string& tag, int samples) {
    Rig rig(latency);
    Completions done;
    hid::TaskWorker worker(&rig.manager);
    worker.SetRoutine(hid::kTaskSendReportRate, ReportRateRoutine(rig.manager, done));
    worker.SetPolling(true);
    worker.Start();
    std::vector<double> ms;
    for (int i = 0; i < samples; ++i) {
        const auto start = Clock::now();
        worker.PushTask(hid::kTaskSendReportRate);
        done.WaitFor(static_cast<uint64_t>(i) + 1);
        ms.push_back(Ms(Clock::now() - start).count());
    }
    Add(figures, "roundtrip_p50_" + tag, Percentile(ms, 0.5), "ms");
    Add(figures, "roundtrip_p99_" + tag, Percentile(ms, 0.99), "ms");
    if (latency.count() == 0) {
        const int burst = 5000;
        const auto start = Clock::now();
        for (int i = 0; i < burst; ++i) {
            worker.PushTask(hid::kTaskSendReportRate);
        }
        done.WaitFor(static_cast<uint64_t>(samples + burst));
        Add(figures, "throughput_" + tag, burst / std::chrono::duration<double>(Clock::now() - start).count(),
            "commands/s");
    }
    Add(figures, "roundtrip_failures_" + tag, static_cast<double>(done.failures()), "commands");
    worker.Stop();
}

// Time from PushTask to the first byte on the wire, with the worker idle and
// listening for notifications; the pause before each task is random so the
// polling model is met at every phase of its read.
template <typename Worker>
std::vector<double> StartLatencies(Rig& rig, Worker& worker, Completions& done, int samples, Ms max_gap) {
    std::mt19937 random(42);
    std::uniform_real_distribution<double> gap(2.0, max_gap.count());
    std::vector<double> ms;
    for (int i = 0; i < samples; ++i) {
        std::this_thread::sleep_for(Ms(gap(random)));
        const auto start = Clock::now();
        worker.PushTask(hid::kTaskSendReportRate);
        done.WaitFor(static_cast<uint64_t>(i) + 1);
        ms.push_back(Ms(rig.backend.LastCommandWrite() - start).count());
    }
    return ms;
}

void StartLatency(Figures& figures) {
    std::vector<double> ours;
    std::vector<double> model;
    {
        Rig rig(1000us);
        Completions done;
        hid::TaskWorker worker(&rig.manager);
        worker.SetRoutine(hid::kTaskSendReportRate, ReportRateRoutine(rig.manager, done));
        worker.SetPolling(true);
        worker.Start();
        ours = StartLatencies(rig, worker, done, 200, Ms(20));
        worker.Stop();
    }
    {
        Rig rig(1000us);
        Completions done;
        PollingWorkerModel worker(rig.manager);
        worker.SetRoutine(hid::kTaskSendReportRate, ReportRateRoutine(rig.manager, done));
        worker.SetPolling(true);
        worker.Start();
        model = StartLatencies(rig, worker, done, 60, Ms(110));
        worker.Stop();
    }
    Add(figures, "start_p50_worker", Percentile(ours, 0.5), "ms");
    Add(figures, "start_p99_worker", Percentile(ours, 0.99), "ms");
    Add(figures, "start_p50_polling_model", Percentile(model, 0.5), "ms");
    Add(figures, "start_p99_polling_model", Percentile(model, 0.99), "ms");
    Add(figures, "start_p99_ratio_model_over_worker", Percentile(model, 0.99) / Percentile(ours, 0.99), "x");
}

template <typename Worker>
void MeasureIdle(Figures& figures, Rig& rig, Worker& worker, const std::string& tag, std::chrono::seconds window) {
    worker.SetPolling(rig.Present());
    worker.Start();
    std::this_thread::sleep_for(200ms);  // settle
    ProcessMeter meter;
    meter.Begin();
    std::this_thread::sleep_for(window);
    const ProcessMeter::Result r = meter.End();
    worker.Stop();
    Add(figures, "idle_wakeups_" + tag, r.wakeups_per_second, "wakeups/s");
    Add(figures, "idle_cpu_" + tag, r.cpu_percent, "%core");
}

void Idle(Figures& figures, std::chrono::seconds window) {
    for (bool plugged : {true, false}) {
        const std::string device = plugged ? "device" : "no_device";
        {
            Rig rig(1000us, plugged);
            hid::TaskWorker worker(&rig.manager);
            MeasureIdle(figures, rig, worker, "worker_" + device, window);
        }
        {
            Rig rig(1000us, plugged);
            PollingWorkerModel worker(rig.manager);
            MeasureIdle(figures, rig, worker, "polling_model_" + device, window);
        }
    }
}

void Firmware(Figures& figures, std::chrono::microseconds period, const std::string& tag) {
    Rig rig(1000us);
    rig.mouse.PlugReceiver(false);
    rig.backend.SetBootWritePeriod(period);
    std::vector<uint8_t> image(100 * 1024);
    std::minstd_rand random(7);
    std::generate(image.begin(), image.end(), [&] { return static_cast<uint8_t>(random()); });
    const std::vector<BootReport> data = DataReports(image);

    const auto ids = rig.manager.SelectedIds();
    if (!ids || !rig.manager.OpenUpgradeInterface(ids->vendor_id, ids->product_id)) {
        std::fprintf(stderr, "no boot-loader interface\n");
        return;
    }
    const auto start = Clock::now();
    BootReport report = BeginReport();
    bool ok = rig.manager.UpgradeExchange(report);
    for (size_t k = 0; ok && k < data.size(); ++k) {
        report = data[k];
        ok = rig.manager.UpgradeExchange(report);
        if (k < 2) {
            std::this_thread::sleep_for(10ms);  // the boot-loader's pause after the first two
        }
    }
    report = EndReport();
    rig.manager.UpgradeExchange(report);
    const double took = Ms(Clock::now() - start).count();

    const auto flashed = rig.mouse.LastFlashedImage();
    const bool verified = ok && flashed && flashed->size() >= image.size() &&
                          std::equal(image.begin(), image.end(), flashed->begin());
    const double reports = static_cast<double>(data.size() + 2);
    Add(figures, "firmware_100k_" + tag, took, "ms");
    Add(figures, "firmware_reports", reports, "reports");
    Add(figures, "firmware_verified_" + tag, verified ? 1 : 0, "bool");
    if (period.count() > 0) {
        const double write_limited = reports * std::chrono::duration<double, std::milli>(period).count();
        Add(figures, "firmware_ratio_to_write_limited_" + tag, took / write_limited, "x");
    }
}

}  // namespace
}  // namespace mousedeck::bench

int main(int argc, char** argv) {
    using namespace mousedeck::bench;
    int runs = 5;
    int idle_seconds = 10;
    std::string only;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--runs") == 0) {
            runs = std::max(1, std::atoi(argv[i + 1]));
        } else if (std::strcmp(argv[i], "--idle-seconds") == 0) {
            idle_seconds = std::max(1, std::atoi(argv[i + 1]));
        } else if (std::strcmp(argv[i], "--only") == 0) {
            only = argv[i + 1];
        }
    }
    const auto want = [&](const char* name) { return only.empty() || only == name; };
    Figures figures;
    for (int run = 1; run <= runs; ++run) {
        std::fprintf(stderr, "run %d of %d\n", run, runs);
        if (want("roundtrip")) {
            RoundTrip(figures, std::chrono::microseconds(1000), "L1ms", 300);
            RoundTrip(figures, std::chrono::microseconds(0), "L0", 1000);
        }
        if (want("start")) {
            StartLatency(figures);
        }
        if (want("idle")) {
            Idle(figures, std::chrono::seconds(idle_seconds));
        }
        if (want("firmware")) {
            Firmware(figures, std::chrono::microseconds(1000), "1ms");
            Firmware(figures, std::chrono::microseconds(0), "0");
        }
    }
    for (auto& [name, values] : figures) {
        std::printf("figure %s %.4g %s\n", name.c_str(), Percentile(values.first, 0.5), values.second.c_str());
    }
    return 0;
}
