#!/usr/bin/env bash
# Builds the Debian package in Release, for installing: its program keeps the
# reminders in ~/.local/share/quivera-recordim/. The package lands in
# build-package/; install it with
#   sudo apt-get install ./build-package/quivera-recordim_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh package
# One folder, kept between runs, so a rebuild compiles only what changed.
# QR_PACKAGE_UNITY=OFF compiles it file by file, as CI does on Debian 13, where
# GCC 14's library no longer brings in what a file forgot to include.
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DQR_INSTALLED=ON -DQR_TESTS=OFF \
  -DQR_BENCH=OFF -DCMAKE_UNITY_BUILD="${QR_PACKAGE_UNITY:-ON}" >/dev/null
cmake --build build-package -j "$(nproc)" >/dev/null
rm -f build-package/quivera-recordim_*.deb
(cd build-package && cpack -G DEB >/dev/null)
ls build-package/quivera-recordim_*.deb
