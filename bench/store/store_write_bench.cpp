// Cost of crash safety for the settings database: single configuration
// writes (one SetConfigValue each, as a page handler issues them while the
// user drags a slider) under the write-ahead log with synchronous = NORMAL,
// against the rollback journal with synchronous = OFF, side by side in one run.
//
//   store_write_bench [--writes N] [--rounds R] [--folder DIR]
//
// The folder defaults to a new one in the current directory, so the files sit
// on the disk the build is on (a tmpfs /tmp would hide the cost of syncing).
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/records.h"
#include "store/settings_database.h"

namespace {

using mousedeck::store::ConfigRow;
using mousedeck::store::JournalMode;
using mousedeck::store::SettingsDatabase;
using Clock = std::chrono::steady_clock;

struct Options {
    int writes = 10000;
    int rounds = 5;
    std::filesystem::path folder;
};

struct ModeRun {
    const char* label;
    JournalMode mode;
    std::vector<double> round_medians_us;
    std::vector<double> all_us;
    int failures = 0;
};

// A profile shaped like a real one: about forty keys.
std::vector<ConfigRow> SeedRows() {
    std::vector<ConfigRow> rows;
    for (int i = 0; i < 40; ++i) {
        rows.push_back({"key_" + std::to_string(i), std::to_string(i)});
    }
    return rows;
}

double Percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const size_t index =
        std::min(values.size() - 1, static_cast<size_t>(fraction * static_cast<double>(values.size())));
    return values[index];
}

// One round of one mode in a database of its own; returns per-write times in µs.
std::vector<double> RunRound(ModeRun& run, const Options& options, int round) {
    SettingsDatabase db(nullptr, run.mode);
    const std::string device = std::string(run.label) + "_" + std::to_string(round);
    std::vector<double> times;
    if (!db.OpenForDevice(options.folder, device, 101) || db.AddProfile({.name = "bench"}, SeedRows()) != 1) {
        ++run.failures;
        return times;
    }
    times.reserve(static_cast<size_t>(options.writes));
    for (int i = 0; i < options.writes; ++i) {
        const std::string key = "key_" + std::to_string(i % 40);
        const std::string value = std::to_string(i);
        const auto start = Clock::now();
        const bool ok = db.SetConfigValue(1, key, value);
        const auto end = Clock::now();
        run.failures += ok ? 0 : 1;
        times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    return times;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view flag = argv[i];
        if (flag == "--writes") {
            options.writes = std::max(1, std::atoi(argv[i + 1]));
        } else if (flag == "--rounds") {
            options.rounds = std::max(1, std::atoi(argv[i + 1]));
        } else if (flag == "--folder") {
            options.folder = argv[i + 1];
        } else {
            return false;
        }
    }
    return argc % 2 == 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s [--writes N] [--rounds R] [--folder DIR]\n", argv[0]);
        return 2;
    }
    const bool own_folder = options.folder.empty();
    if (own_folder) {
        options.folder = std::filesystem::current_path() / ("store-bench-" + std::to_string(getpid()));
    }
    std::filesystem::create_directories(options.folder);

    ModeRun wal{"wal_normal", JournalMode::kWalNormal, {}, {}, 0};
    ModeRun off{"sync_off", JournalMode::kUnsafeSyncOff, {}, {}, 0};
    std::vector<double> round_ratios;
    for (int round = 0; round < options.rounds; ++round) {
        // Alternate which mode goes first so drift on a shared machine evens out.
        ModeRun& first = round % 2 == 0 ? wal : off;
        ModeRun& second = round % 2 == 0 ? off : wal;
        for (ModeRun* run : {&first, &second}) {
            std::vector<double> times = RunRound(*run, options, round);
            run->round_medians_us.push_back(Percentile(times, 0.5));
            run->all_us.insert(run->all_us.end(), times.begin(), times.end());
        }
        round_ratios.push_back(wal.round_medians_us.back() / off.round_medians_us.back());
    }

    std::printf("%d single SetConfigValue writes per mode and round, %d rounds, folder %s\n", options.writes,
                options.rounds, options.folder.c_str());
    std::printf("%-12s %16s %14s %14s %10s\n", "mode", "median/write", "p99/write", "max/write", "failures");
    for (const ModeRun* run : {&off, &wal}) {
        std::printf("%-12s %13.1f us %11.1f us %11.1f us %10d\n", run->label,
                    Percentile(run->round_medians_us, 0.5), Percentile(run->all_us, 0.99),
                    Percentile(run->all_us, 1.0), run->failures);
    }
    const double ratio = Percentile(round_ratios, 0.5);
    const double wal_p99_ms = Percentile(wal.all_us, 0.99) / 1000.0;
    std::printf("ratio wal_normal/sync_off (median of per-round ratios): %.2f  [goal <= 2]\n", ratio);
    std::printf("p99 of one wal_normal write: %.3f ms  [goal <= 1 ms]\n", wal_p99_ms);
    std::printf("per-round ratios:");
    for (const double r : round_ratios) {
        std::printf(" %.2f", r);
    }
    std::printf("\n");

    if (own_folder) {
        std::error_code ignored;
        std::filesystem::remove_all(options.folder, ignored);
    }
    return wal.failures + off.failures == 0 ? 0 : 1;
}
