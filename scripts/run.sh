#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Its data file is
# build/lembretes.dat.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh run
# The program alone, without the tests and what they need. A folder that
# configured well before keeps its options: test.sh's tests there stay, and the
# program, compiled once, serves both.
options=()
[[ -f build/Makefile || -f build/build.ninja ]] || options=(-DQR_TESTS=OFF)
TARGET=quivera-recordim ./scripts/build.sh build "${options[@]}" >/dev/null
exec ./build/quivera-recordim "$@"
