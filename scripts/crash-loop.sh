#!/usr/bin/env bash
# Kills a writing store 1,000 times (or KILLS times) and checks the file after
# every kill: crash-loop.sh [KILLS]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh test
TARGET=test_proof ./scripts/build.sh build -DQR_TESTS=ON
QR_CRASH_KILLS=${1:-1000} QT_QPA_PLATFORM=offscreen \
  build/tests/proof/test_proof --gtest_filter='CrashSafety.*'
