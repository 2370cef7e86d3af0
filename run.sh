#!/usr/bin/env bash
# Installs what is missing, builds Mousedeck and shows its core at work on the
# simulated mouse through mousedeckctl: list the devices, show the settings,
# change a few, press the mouse's DPI button, show them again.
#   ./run.sh              the guided demo, on a new simulated mouse
#   ./run.sh <command>    one mousedeckctl command on the demo's mouse,
#                         e.g. ./run.sh show or ./run.sh --json devices
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-packages.sh
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S . -B build/release "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMOUSEDECK_BUILD_TESTS=OFF -DMOUSEDECK_BUILD_BENCH=OFF >/dev/null
cmake --build build/release -j "$(nproc)" --target mousedeckctl >/dev/null

# The demo keeps its settings, databases and simulated mouse to itself.
demo=$PWD/build/release/demo-home
export XDG_CONFIG_HOME=$demo/config XDG_DATA_HOME=$demo/data XDG_STATE_HOME=$demo/state
unset MOUSEDECK_SIM_STATE
ctl=build/release/bin/mousedeckctl

if [ $# -gt 0 ]; then
  exec "$ctl" --simulate "$@"
fi

step() {
  printf '\n\033[1m$ mousedeckctl --simulate %s\033[0m\n' "$*"
  "$ctl" --simulate "$@" || true  # a refusal is part of the tour
}

rm -rf "$demo"
echo "Mousedeck: every change is stored in a profile first, then sent to the mouse."
echo "This tour runs against the simulated mouse (a new one each time)."
step devices
step show
step set dpi 2 1234
step set report-rate 500
step lighting effect breathing
step button set rear-side-button key ctrl+c
step button set left-button disable
step sim press-dpi
step show
printf '\nTry more: ./run.sh --help, ./run.sh monitor (then ./run.sh sim press-dpi in another terminal)\n'
