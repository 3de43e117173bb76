#!/usr/bin/env bash
# Installs the Debian packages that are missing for a purpose: "run" (build and
# start the program), "package" (also build the Debian package), "test" (also
# the test, benchmark, end-to-end and package-checking tools), "windows" (what
# scripts/windows.sh needs besides the test tools: MinGW-w64, Wine, NSIS, and
# Debian's sources of Qt and GoogleTest) or "root" (what scripts/fresh-root.sh
# needs on this machine).
#
#   deps.sh [--print] [--os-release FILE] [--clang-major N] [--archive FILE] [PURPOSE]
#
# Debian 12 and 13 are known. Where their names differ, a name is chosen by the
# release in /etc/os-release, or derived from what the archive offers (the clang
# runtime from clang's major version). --print writes the names one a line and
# installs nothing; the other options stand in for this machine's facts: an
# os-release file, clang's major version, and a file listing the names the
# archive holds, one a line.
set -euo pipefail

print=
os_release=/etc/os-release
clang_major=
archive=
purpose=run
while [[ $# -gt 0 ]]; do
  case $1 in
    --print) print=1 ;;
    --os-release) os_release=$2; shift ;;
    --clang-major) clang_major=$2; shift ;;
    --archive) archive=$2; shift ;;
    run | package | test | windows | root) purpose=$1 ;;
    *) echo "usage: deps.sh [--print] [--os-release FILE] [--clang-major N] [--archive FILE]" \
         "[run|package|test|windows|root]" >&2; exit 2 ;;
  esac
  shift
done

field() { sed -n "s/^$1=//p" "$os_release" | tr -d "\"'" | head -1; }
[[ -r $os_release ]] || { echo "deps.sh: cannot read $os_release to tell the release" >&2; exit 1; }
release_name=$(field PRETTY_NAME)
release_name=${release_name:-$(field NAME)}
release_name=${release_name:-an unnamed system}
debian_like=
[[ " $(field ID) $(field ID_LIKE) " == *" debian "* ]] && debian_like=1
known=
if [[ $(field ID) == debian ]]; then
  case $(field VERSION_ID) in
    12 | 13) known=$(field VERSION_ID) ;;
  esac
fi

# Liberation 2: Debian 12 ships it beside version 1 as fonts-liberation2; from 13
# on fonts-liberation is version 2, and fonts-liberation2 only a transition to it.
liberation=fonts-liberation
[[ $known == 12 ]] && liberation=fonts-liberation2

run_pkgs=(g++ cmake make qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libxcb1-dev
          qt6-qpa-plugins "$liberation" qt6-translations-l10n)
test_pkgs=(googletest libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-utils
           imagemagick xclip trayer openbox fiu-utils libfiu-dev clang
           python3 dunst dbus-daemon dbus-bin desktop-file-utils appstream xdg-utils qt6ct
           libx11-dev libxdamage-dev syncthing at-spi2-core python3-pyatspi orca)
# dpkg-shlibdeps (dpkg-dev) finds the package's library dependencies with file.
package_pkgs=(dpkg-dev file)
# The package check's lintian, hardening-check (devscripts) and man (man-db), and
# dpkg-repack, which keeps a copy installed before the check.
test_pkgs+=(lintian devscripts man-db dpkg-repack)
windows_pkgs=(g++-mingw-w64-x86-64-posix wine64 nsis unzip dpkg-dev ninja-build ccache googletest
              "$liberation" qt6-translations-l10n xvfb xauth xdotool x11-utils x11-xkb-utils
              imagemagick python3)
# A minbase root from the archive, and an X server outside it to watch it on.
root_pkgs=(debootstrap xvfb xauth xdotool x11-utils imagemagick)

want=()
case $purpose in
  run) want=("${run_pkgs[@]}") ;;
  package) want=("${run_pkgs[@]}" "${package_pkgs[@]}") ;;
  test) want=("${run_pkgs[@]}" "${package_pkgs[@]}" "${test_pkgs[@]}") ;;
  windows) want=("${run_pkgs[@]}" "${windows_pkgs[@]}") ;;
  root) want=("${root_pkgs[@]}") ;;
esac

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# What apt would install of a package, or nothing when the archive lacks it.
candidate() {
  if [[ -n $archive ]]; then
    grep -qx -- "$1" "$archive" && echo listed
    return 0
  fi
  apt-cache policy "$1" 2>/dev/null | sed -n 's/^ *Candidate: //p' | grep -vx '(none)' || true
}

# The clang runtime (the fuzzer's and the sanitizers' libraries) goes with
# clang's own major version: the installed clang's, else the one apt would take.
major_of() { sed 's/^[0-9]*://; s/[^0-9].*//' <<<"$1"; }
clang_runtime() {
  local version=
  if [[ -z $clang_major ]]; then
    if installed clang; then
      version=$(dpkg-query -W -f='${Version}' clang)
    elif [[ -z $archive ]]; then
      version=$(candidate clang)
    fi
    clang_major=$(major_of "$version")
  fi
  if [[ -n $clang_major ]]; then echo "libclang-rt-$clang_major-dev"; fi
}

# Refuses, naming them, the packages this release's archive lacks.
check_archive() {
  local absent=() p
  for p in "$@"; do
    [[ -n $(candidate "$p") ]] || absent+=("$p")
  done
  [[ ${#absent[@]} -eq 0 ]] && return 0
  {
    echo "deps.sh: the archive of $release_name has no ${absent[*]}."
    if [[ -z $known ]]; then
      echo "It knows Debian 12 and 13; elsewhere it tries Debian 13's names. Install what"
      echo "stands for them by hand, then run it again."
    else
      echo "Is apt's list of sources complete (main, and $release_name's own suite)?"
    fi
  } >&2
  exit 1
}

if [[ -z $known ]]; then
  if [[ -z $debian_like ]]; then
    echo "deps.sh: $release_name is not Debian, nor made from it: no apt-get to install" \
         "with. Install by hand what these Debian 13 packages hold:" >&2
    echo "  ${want[*]}" >&2
    exit 1
  fi
  echo "deps.sh: $release_name is not a release deps.sh knows (Debian 12 and 13);" \
       "it tries Debian 13's names." >&2
fi

if [[ -n $print ]]; then
  [[ $purpose == test ]] && want+=("$(clang_runtime)")
  [[ -z $archive ]] || check_archive "${want[@]}"
  printf '%s\n' "${want[@]}"
  exit 0
fi

missing=()
for p in "${want[@]}"; do
  installed "$p" || missing+=("$p")
done
# Until apt has read its archive, a fresh machine cannot name the clang runtime.
runtime=
[[ $purpose == test ]] && runtime=$(clang_runtime)
if [[ -n $runtime ]] && ! installed "$runtime"; then missing+=("$runtime"); fi
if [[ ${#missing[@]} -eq 0 && ($purpose != test || -n $runtime) ]]; then exit 0; fi

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
"${sudo[@]}" apt-get update -qq
if [[ $purpose == test && -z $runtime ]]; then
  # Without a clang in the archive, the check below names clang.
  runtime=$(clang_runtime)
  if [[ -n $runtime ]] && ! installed "$runtime"; then missing+=("$runtime"); fi
fi
check_archive "${missing[@]}"
echo "Installing: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  "${missing[@]}"
