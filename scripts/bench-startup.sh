#!/usr/bin/env bash
# Builds the program in Release and times its start-up on a virtual X server of
# its own: to the first paint of the main window with the list filled, on an
# empty list and on the benchmarks' 32,767-reminder file, against a text floor
# (a window of the same size painting the main page's picture and a page of
# text in the program's font) and a bare one, warm and, as root or where sudo -n
# works, cold (page cache dropped before every start), with peak memory and the
# ratios the start-up is held to.
# bench-startup.sh [RUNS] [--base PROGRAM] [--warm-only]
#   RUNS (7) rounds each, warm and cold; --base also times an earlier build of
#   the program in the same rounds, for its ratios beside these.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh test
runs=7
if [[ $# -gt 0 && $1 =~ ^[0-9]+$ ]]; then
  runs=$1
  shift
fi
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQR_BENCH=ON -DQR_TESTS=OFF >/dev/null
cmake --build build-bench -j "$(nproc)" \
  --target quivera-recordim qr_startup_floor qr_startup_bench >/dev/null

# A free display number, told by the server itself once it listens.
work=$(mktemp -d)
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
read -r display <"$work/display"
mkdir -m 700 "$work/runtime"
# A session bus as on a desktop: without one, Qt's accessibility check at the
# first list view waits for a bus that is never there.
DISPLAY=:$display XDG_RUNTIME_DIR=$work/runtime dbus-run-session -- \
  ./build-bench/bench/qr_startup_bench "$@" \
  "$PWD/build-bench/quivera-recordim" "$PWD/build-bench/bench/qr_startup_floor" "$runs" \
  2> >(grep -v 'Failed to set fd limit' >&2)
