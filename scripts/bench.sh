#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them: the store's operations on a
# generated 32,767-reminder file next to the least any loader or safe writer must
# do, then the ratios against the goals. Extra arguments go to Google Benchmark
# (for example --benchmark_filter=load).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh test
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQR_BENCH=ON -DQR_TESTS=OFF >/dev/null
cmake --build build-bench -j "$(nproc)" --target qr_bench >/dev/null
# Five runs of each, judged by their median: the machine may be busy.
exec ./build-bench/bench/qr_bench --benchmark_repetitions=5 \
  --benchmark_display_aggregates_only=true "$@"
