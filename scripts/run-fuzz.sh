#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang 14 in build/fuzz and
# runs each for a bounded time on its own corpus (build/fuzz/corpus/<name>,
# seeded from tests/fuzz/corpus/<name>/). Prints each target's execution
# count; exits non-zero when a target crashes, leaks or hangs. A failing
# input is kept in build/fuzz/artifacts/<name>/.
#   scripts/run-fuzz.sh [seconds-per-target] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
case $seconds in ''|*[!0-9]*) echo "usage: $0 [seconds] [target ...]" >&2; exit 2 ;; esac

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
instrument="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz "${generator[@]}" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS="$instrument" -DCMAKE_CXX_FLAGS="$instrument" \
  -DMOUSEDECK_FUZZ=ON -DMOUSEDECK_SANITIZE=OFF -DMOUSEDECK_TSAN=OFF \
  -DMOUSEDECK_BUILD_GUI=OFF -DMOUSEDECK_BUILD_BENCH=OFF -DMOUSEDECK_BUILD_TESTS=ON >/dev/null
# Only the fuzz targets: the GoogleTest programs belong to the gcc builds.
cmake --build build/fuzz -j "$(nproc)" --target mousedeck_fuzzers

if [ $# -gt 0 ]; then
  targets=("$@")
else
  mapfile -t targets < <(grep -v '^$' build/fuzz/fuzz_targets.txt)
fi

status=0
for name in "${targets[@]}"; do
  corpus=build/fuzz/corpus/$name
  artifacts=build/fuzz/artifacts/$name/
  mkdir -p "$corpus" "$artifacts"
  if [ -d "tests/fuzz/corpus/$name" ]; then
    cp -n "tests/fuzz/corpus/$name"/* "$corpus"/ 2>/dev/null || true
  fi
  log=build/fuzz/$name.log
  set +e
  "build/fuzz/bin/$name" "$corpus" -max_total_time="$seconds" -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$artifacts" >"$log" 2>&1
  rc=$?
  set -e
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ $rc -eq 0 ]; then
    echo "$name: ${runs:-?} executions, no failure"
  else
    echo "$name: FAILED (exit $rc) after ${runs:-?} executions; see $log and $artifacts" >&2
    grep -m 5 -E 'ERROR|SUMMARY|runtime error' "$log" >&2 || true
    status=1
  fi
done
exit $status
