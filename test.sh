#!/usr/bin/env bash
# Builds Mousedeck with AddressSanitizer + UndefinedBehaviorSanitizer and runs
# every test; then builds the threaded tests with ThreadSanitizer and runs them.
#   ./test.sh            install missing packages, build, run all tests
#   ./test.sh --fuzz [seconds]   build the fuzz targets with clang and run each
#                        for the given time (default 60 s); not part of CI
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc)
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON

if [ "${1:-}" = "--fuzz" ]; then
  scripts/ensure-packages.sh --fuzz
  exec scripts/run-fuzz.sh "${2:-60}"
fi

scripts/ensure-packages.sh
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)

cmake -S . -B build/asan "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug \
  -DMOUSEDECK_SANITIZE=ON -DMOUSEDECK_WERROR=$werror -DMOUSEDECK_BUILD_BENCH=OFF
cmake --build build/asan -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build/asan --output-on-failure -j "$jobs"

# Thread-safety of the queue, the worker and the store under ThreadSanitizer.
cmake -S . -B build/tsan "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug \
  -DMOUSEDECK_TSAN=ON -DMOUSEDECK_WERROR=$werror -DMOUSEDECK_BUILD_BENCH=OFF -DMOUSEDECK_BUILD_GUI=OFF
tsan_targets=$(cmake --build build/tsan --target help | sed -n 's/^\([a-z_]*_tsan_tests\):.*/\1/p' | sort -u)
if [ -n "$tsan_targets" ]; then
  # shellcheck disable=SC2086
  cmake --build build/tsan -j "$jobs" --target $tsan_targets
  export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp"
  ctest --test-dir build/tsan --output-on-failure -j "$jobs" -L tsan
fi
