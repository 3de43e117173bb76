#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: once as built,
# then the unit and widget tests again under AddressSanitizer and UBSan, the
# Debian package once installed, and the fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh test
jobs=$(nproc)

./scripts/build.sh build -DQR_TESTS=ON
(cd build && ctest --output-on-failure -j "$jobs")

./scripts/build.sh build-asan -DQR_TESTS=ON -DQR_SANITIZE=ON
# Returned frames are checked on every release (newer ASan does so by itself):
# a slot that outlives the test body's locals is caught on Debian 12 too.
(cd build-asan && ASAN_OPTIONS=detect_leaks=0:detect_stack_use_after_return=1 \
   UBSAN_OPTIONS=print_stacktrace=1 \
   ctest --output-on-failure -j "$jobs" -LE e2e)

# ---- package: built in Release, installed, started, removed again ----
./tests/package/check-package.sh
# ---- end package ----

# ---- fuzzing: the file reader under libFuzzer, ASan and UBSan (clang, store alone) ----
CC=clang CXX=clang++ ./scripts/build.sh build-fuzz -DQR_FUZZ=ON
(cd build-fuzz && ctest --output-on-failure -j "$jobs")
# ---- end fuzzing ----
