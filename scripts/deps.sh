#!/usr/bin/env bash
# Installs the Debian 12 packages that are missing for a purpose: "run" (build and
# start the program), "package" (also build the Debian package), "test" (also
# the test, benchmark, end-to-end and package-checking tools) or "windows" (what
# scripts/windows.sh needs besides the test tools: MinGW-w64, Wine, NSIS, and
# Debian's sources of Qt and GoogleTest).
set -euo pipefail

run_pkgs=(g++ cmake make qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libxcb1-dev
          fonts-liberation2 qt6-translations-l10n)
test_pkgs=(googletest libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-utils
           imagemagick xclip trayer openbox fiu-utils libfiu-dev clang libclang-rt-14-dev
           python3 dunst dbus-daemon dbus-bin desktop-file-utils appstream xdg-utils qt6ct
           libx11-dev libxdamage-dev syncthing at-spi2-core python3-pyatspi orca)
# dpkg-shlibdeps (dpkg-dev) finds the package's library dependencies with file.
package_pkgs=(dpkg-dev file)
# The package check's lintian, hardening-check (devscripts) and man (man-db), and
# dpkg-repack, which keeps a copy installed before the check.
test_pkgs+=(lintian devscripts man-db dpkg-repack)
windows_pkgs=(g++-mingw-w64-x86-64-posix wine64 nsis unzip dpkg-dev ninja-build ccache googletest
              fonts-liberation2 qt6-translations-l10n xvfb xauth xdotool x11-utils x11-xkb-utils imagemagick python3)

want=("${run_pkgs[@]}")
case "${1:-run}" in
  package) want+=("${package_pkgs[@]}") ;;
  test) want+=("${package_pkgs[@]}" "${test_pkgs[@]}") ;;
  windows) want+=("${windows_pkgs[@]}") ;;
esac

missing=()
for p in "${want[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
