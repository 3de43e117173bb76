#!/usr/bin/env bash
# Builds the screenshot tool and saves a PNG of every window under
# docs/screenshots/, on a virtual X server of its own, and the main window at 200 %.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh test
TARGET=qr_screenshots ./scripts/build.sh build -DQR_TESTS=ON
mkdir -p docs/screenshots
xvfb-run -a -s "-screen 0 1280x800x24" ./build/tools/qr_screenshots docs/screenshots
# The main window once more as a 200 % desktop shows it.
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 2560x1600x24" \
  ./build/tools/qr_screenshots --main-only docs/screenshots
ls docs/screenshots/*.png
