#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Its data file is
# build/lembretes.dat.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh run
TARGET=quivera-recordim ./scripts/build.sh build >/dev/null
exec ./build/quivera-recordim "$@"
