#!/usr/bin/env bash
# Builds the screenshot tool and saves a PNG of every window under
# docs/screenshots/, on a virtual X server of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh test
TARGET=qr_screenshots ./scripts/build.sh build -DQR_TESTS=ON
mkdir -p docs/screenshots
xvfb-run -a -s "-screen 0 1280x800x24" ./build/tools/qr_screenshots docs/screenshots
ls docs/screenshots/*.png
