// Cost of one language-text lookup on the shipped English file: the cached
// lookup (one stat per call) beside reading and parsing the file every time.
// Both run in the same process, alternating, several rounds; the medians and
// their ratio are printed.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "shell/app_paths.h"
#include "shell/lang_text.h"
#include "shell/language_state.h"

namespace {

using namespace mousedeck;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 7;
constexpr int kLookups = 5000;
constexpr int kNumbers[] = {50, 51, 52, 61, 280, 281, 282, 570, 571, 20};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <class Lookup>
double MicrosecondsPerLookup(Lookup lookup) {
    std::size_t total = 0;
    const auto start = Clock::now();
    for (int i = 0; i < kLookups; ++i) {
        total += lookup(kNumbers[i % std::size(kNumbers)]).size();
    }
    const auto elapsed = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    if (total == 0) {
        std::fprintf(stderr, "no texts found\n");
    }
    return elapsed / kLookups;
}

}  // namespace

int main() {
    const auto paths = shell::AppPaths::FromProcess("Mousedeck Bench");
    shell::LanguageState language;
    language.SetCurrent(1033);
    // No timestamp slack: the shipped file is old enough to be trusted.
    shell::LanguageTexts cached(paths, language, std::chrono::nanoseconds(0));
    const auto file = paths.LanguageFile(1033);

    auto uncached = [&](int number) {
        std::ifstream in(file, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        return shell::LanguageTextOf(shell::ParseLanguageFile(bytes), number);
    };

    std::vector<double> with_cache;
    std::vector<double> without_cache;
    for (int round = 0; round < kRounds; ++round) {
        with_cache.push_back(MicrosecondsPerLookup([&](int n) { return cached.LangText(n); }));
        without_cache.push_back(MicrosecondsPerLookup(uncached));
    }
    const double cached_us = Median(with_cache);
    const double uncached_us = Median(without_cache);
    std::printf("language text lookup, %s, median of %d rounds of %d lookups\n", file.c_str(), kRounds, kLookups);
    std::printf("  cached (stat per call):   %8.2f us\n", cached_us);
    std::printf("  read and parse each call: %8.2f us\n", uncached_us);
    std::printf("  ratio uncached/cached:    %8.1f x\n", uncached_us / cached_us);
    return 0;
}
