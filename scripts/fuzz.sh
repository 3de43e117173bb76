#!/usr/bin/env bash
# A longer fuzz run of the file reader than the test suite makes:
# fuzz.sh [RUNS] [libFuzzer options...]   (default 2,000,000 runs)
# A crashing input is kept in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh test
runs=${1:-2000000}; shift || true
CC=clang CXX=clang++ ./scripts/build.sh build-fuzz -DQR_FUZZ=ON
mkdir -p build-fuzz/artifacts
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
ARTIFACTS=$PWD/build-fuzz/artifacts \
  tests/fuzz/run-fuzz.sh build-fuzz/tests/fuzz/fuzz_datafile runs "$runs" -print_final_stats=1 "$@"
