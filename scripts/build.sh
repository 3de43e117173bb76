#!/usr/bin/env bash
# Configures (once) and builds one build folder: build.sh DIR [cmake options...]
# TARGET=name builds that target alone.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1; shift
# A new folder compiles each target's files in batches (a unity build): Qt's and
# GoogleTest's headers are parsed once a batch, not once a file, and a whole build
# takes less than half the time. -DCMAKE_UNITY_BUILD=OFF builds file by file.
if [[ ! -f "$dir/CMakeCache.txt" ]]; then
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON "$@" >/dev/null
else
  cmake -S . -B "$dir" "$@" >/dev/null
fi
cmake --build "$dir" -j "$(nproc)" ${TARGET:+--target "$TARGET"}
