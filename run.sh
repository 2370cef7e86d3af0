#!/usr/bin/env bash
# Installs what is missing, builds Mousedeck and runs it against the simulated
# mouse. Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-packages.sh
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S . -B build/release "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMOUSEDECK_BUILD_TESTS=OFF -DMOUSEDECK_BUILD_BENCH=OFF >/dev/null
cmake --build build/release -j "$(nproc)" --target mousedeck_demo
exec build/release/bin/mousedeck-demo "$@"
