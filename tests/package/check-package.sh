#!/usr/bin/env bash
# Builds the Debian package and has lintian check it, installs it as a user
# would, checks the installed program's hardening, its manual page, changelog
# and copyright, starts the program on its own X server with a home of its own,
# and checks that its main window shows and its data file is in that home's data
# folder. In every case the machine is left as it was: the package removed, or a
# quivera-recordim that was installed before put back as it was.
set -euo pipefail
cd "$(dirname "$0")/../.."
deb=$PWD/$(./scripts/package.sh | tail -1)

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
work=$(mktemp -d)
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -qq)
# A developer's own installed copy, packed again from what dpkg holds of it.
found=
if dpkg-query -W -f='${Status}' quivera-recordim 2>/dev/null | grep -q 'install ok installed'; then
  (cd "$work" && "${sudo[@]}" dpkg-repack quivera-recordim >/dev/null)
  found=$(ls "$work"/quivera-recordim_*.deb)
fi
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if [[ -n $found ]]; then
    "${apt[@]}" install --reinstall --allow-downgrades --no-install-recommends "$found" \
      >/dev/null 2>&1 || echo "could not put back $found" >&2
  else
    "${apt[@]}" remove quivera-recordim >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  [[ -f $work/program.log ]] && cat "$work/program.log"
  exit 1
}

# Every tag lintian shows fails, down to pedantic and experimental ones; a tag
# that is no fault is overridden in the package (packaging/lintian-overrides),
# and overridden tags are not shown.
status=0
tags=$(lintian -I -E --pedantic --fail-on error,warning,info,pedantic "$deb" 2>"$work/lintian.err") \
  || status=$?
if [[ $status -ne 0 || -n $tags ]]; then
  notes=$(grep -v 'running with root privileges' "$work/lintian.err" || true)
  fail "lintian (status $status):"$'\n'"$tags"$'\n'"$notes"
fi

# Only what the package declares: no recommended extras hide a missing dependency.
"${apt[@]}" install --reinstall --allow-downgrades --no-install-recommends "$deb" >/dev/null
[[ -x /usr/bin/quivera-recordim ]] || fail "not installed in /usr/bin"

# Debian's hardening, each protection named with the flag that gives it. Control
# flow integrity is checked only where dpkg-buildflags knows its flag (dpkg 1.22
# on) and the C library's start files carry its note: it needs every object
# linked in built for it, and Debian 12's and 13's start files are not. Branch
# protection is AArch64's, though Debian 13's hardening-check asks every binary.
skip=()
features=$(dpkg-buildflags --query-features hardening)
start_notes=$(readelf -n "$(c++ -print-file-name=crti.o)")
if ! grep -qx 'Feature: branch' <<<"$features" || [[ $start_notes != *'x86 feature: IBT'* ]]; then
  skip+=(--nocfprotection)
fi
# Its --help exits with 1: read whole, then looked at, or pipefail would take
# that status for grep's.
usage=$(hardening-check --help 2>&1 || true)
if [[ $(dpkg --print-architecture) != arm64 && $usage == *--nobranchprotection* ]]; then
  skip+=(--nobranchprotection)
fi
if ! report=$(hardening-check "${skip[@]}" /usr/bin/quivera-recordim); then
  failed=$(sed -n '/(ignored)$/d; s/^ *\([^:]*\): no\b.*/\1/p' <<<"$report")
  missing=$(while read -r check; do
    case $check in
      "Position Independent Executable") echo "$check (-fPIE -pie)" ;;
      "Stack protected") echo "$check (-fstack-protector-strong)" ;;
      "Fortify Source functions") echo "$check (-D_FORTIFY_SOURCE=2 with optimisation)" ;;
      "Read-only relocations") echo "$check (-Wl,-z,relro)" ;;
      "Immediate binding") echo "$check (-Wl,-z,now)" ;;
      "Control flow integrity") echo "$check (-fcf-protection)" ;;
      *) echo "$check" ;;
    esac
  done <<<"$failed")
  fail "hardening-check finds no:"$'\n'"$missing"$'\n'"$report"
fi
sections=$(readelf -SW /usr/bin/quivera-recordim)
[[ $sections != *" .comment "* ]] || fail "a .comment section in the program"

# The manual page as a user reads it, rendered without a warning, with what it
# must tell.
[[ $(man -w quivera-recordim) == /usr/share/man/man1/quivera-recordim.1.gz ]] \
  || fail "man finds no installed quivera-recordim(1)"
warnings=$(MANWIDTH=80 man --warnings quivera-recordim 2>&1 >/dev/null) \
  || fail "man quivera-recordim: $warnings"
[[ -z $warnings ]] || fail "man --warnings: $warnings"
page=$(MANWIDTH=80 man quivera-recordim 2>/dev/null) || fail "man quivera-recordim"
for want in NAME SYNOPSIS DESCRIPTION KEYS FILES ENVIRONMENT "EXIT STATUS" XDG_DATA_HOME \
            XDG_RUNTIME_DIR QT_QPA_PLATFORM lembretes.dat Ctrl+N; do
  grep -qF -- "$want" <<<"$page" || fail "the manual page lacks $want"
done

doc=/usr/share/doc/quivera-recordim
# A machine-readable copyright file, whose licences are on this system.
dep5=https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
[[ $(head -1 "$doc/copyright") == "Format: $dep5" ]] || fail "copyright is not in the DEP-5 format"
grep -qx 'License: GPL-3.0-or-later' "$doc/copyright" || fail "copyright names no GPL-3.0-or-later"
for license in $(grep -o '/usr/share/common-licenses/[A-Za-z0-9.+-]*' "$doc/copyright"); do
  [[ -f $license ]] || fail "copyright points at $license, which is not there"
done

# The changelog's newest entry is the version packaged.
zcat "$doc/changelog.gz" >"$work/changelog" || fail "no readable $doc/changelog.gz"
logged=$(dpkg-parsechangelog -l "$work/changelog" -S Version) || fail "changelog does not parse"
packaged=$(dpkg-query -W -f='${Version}' quivera-recordim)
[[ $logged == "$packaged" ]] || fail "changelog's newest entry is $logged, the package $packaged"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
display=:$(head -1 "$work/display")
[[ $display != : ]] || fail "Xvfb did not start"

mkdir "$work/home"
cd "$work"
as_user=(env -u XDG_DATA_HOME -u XDG_RUNTIME_DIR HOME="$work/home" DISPLAY="$display"
         QT_QPA_PLATFORM=xcb)
"${as_user[@]}" /usr/bin/quivera-recordim >"$work/program.log" 2>&1 &
pids+=($!)
shown=
for _ in $(seq 100); do
  if DISPLAY=$display xdotool search --onlyvisible --name '^Quivera Recordim!$' >/dev/null 2>&1; then
    shown=1
    break
  fi
  sleep 0.1
done
[[ -n $shown ]] || fail "no main window"
data=$work/home/.local/share/quivera-recordim/lembretes.dat
[[ $(od -An -tx1 "$data" 2>/dev/null | tr -d ' \n') == 220d0a220d0a ]] || fail "no fresh $data"
[[ ! -e /usr/bin/lembretes.dat ]] || fail "a data file beside the installed program"
# A second start from the menu finds the running copy and ends.
"${as_user[@]}" /usr/bin/quivera-recordim >/dev/null 2>&1 || fail "a second start exited with $?"
echo "package: 1 passed, 0 failed"
