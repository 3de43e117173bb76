#!/usr/bin/env bash
# Configures (once) and builds one build folder: build.sh DIR [cmake options...]
# TARGET=name builds that target alone.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1; shift
if [[ ! -f "$dir/CMakeCache.txt" ]]; then
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
else
  cmake -S . -B "$dir" "$@" >/dev/null
fi
cmake --build "$dir" -j "$(nproc)" ${TARGET:+--target "$TARGET"}
