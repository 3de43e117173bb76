#!/usr/bin/env bash
# What scripts/deps.sh would install on Debian 12, on 13 and on releases it does
# not know, read from os-release files and archive lists made here; then every
# name it gives for this machine's own release, looked up in this machine's archive.
set -uo pipefail
deps=$(cd "$(dirname "$0")/../.." && pwd)/scripts/deps.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0

ok() {
  if [[ $1 == 0 ]]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $2"; fi
}
has() { grep -qx -- "$2" <<<"$1"; }

os_release() {  # NAME ID VERSION_ID CODENAME [ID_LIKE]
  local f=$work/$2-${3:-none}
  printf 'PRETTY_NAME="%s"\nNAME="%s"\nID=%s\nVERSION_ID="%s"\nVERSION_CODENAME=%s\n' \
    "$1" "${1%% *}" "$2" "$3" "$4" >"$f"
  [[ -n ${5:-} ]] && echo "ID_LIKE=$5" >>"$f"
  echo "$f"
}
bookworm=$(os_release "Debian GNU/Linux 12 (bookworm)" debian 12 bookworm)
trixie=$(os_release "Debian GNU/Linux 13 (trixie)" debian 13 trixie)
forky=$(os_release "Debian GNU/Linux 14 (forky)" debian 14 forky)
fedora=$(os_release "Fedora Linux 42 (Workstation Edition)" fedora 42 "")

# ---- each known release gets its own names ----
names=$("$deps" --print test --os-release "$bookworm" --clang-major 14)
ok $? "Debian 12: deps.sh --print test failed"
has "$names" libclang-rt-14-dev; ok $? "Debian 12: no libclang-rt-14-dev in: $names"
has "$names" fonts-liberation2; ok $? "Debian 12: Liberation 2 is fonts-liberation2 there"
! has "$names" fonts-liberation; ok $? "Debian 12: fonts-liberation there is version 1"

names=$("$deps" --print test --os-release "$trixie" --clang-major 19)
ok $? "Debian 13: deps.sh --print test failed"
has "$names" libclang-rt-19-dev; ok $? "Debian 13: no libclang-rt-19-dev in: $names"
! grep -q 'libclang-rt-14' <<<"$names"; ok $? "Debian 13: Debian 12's clang runtime in: $names"
has "$names" fonts-liberation; ok $? "Debian 13: Liberation 2 is fonts-liberation there"
! has "$names" fonts-liberation2; ok $? "Debian 13: fonts-liberation2 is a transitional package"

# ---- running needs nothing of the tests, on either release ----
for release in "$bookworm" "$trixie"; do
  run=$("$deps" --print run --os-release "$release")
  ok $? "$release: deps.sh --print run failed"
  for name in g++ cmake qt6-base-dev qt6-svg-dev qt6-qpa-plugins; do
    has "$run" "$name"; ok $? "$(basename "$release"): running lacks $name"
  done
  for name in googletest libgtest-dev clang xvfb lintian; do
    ! has "$run" "$name"; ok $? "$(basename "$release"): running installs $name"
  done
done

# ---- an archive without a name is told, the name given ----
"$deps" --print test --os-release "$trixie" --clang-major 19 | grep -vx qt6-svg-dev >"$work/archive"
out=$("$deps" --print test --os-release "$trixie" --clang-major 19 --archive "$work/archive" 2>&1)
ok $((! $?)) "Debian 13 with an archive lacking qt6-svg-dev: deps.sh did not fail"
grep -q 'Debian GNU/Linux 13 (trixie) has no qt6-svg-dev\.' <<<"$out"; ok $? "Debian 13, no qt6-svg-dev: $out"

# ---- a release it does not know: Debian 13's names, tried, and what is missing named ----
"$deps" --print test --os-release "$trixie" --clang-major 21 >"$work/archive"
names=$("$deps" --print test --os-release "$forky" --clang-major 21 --archive "$work/archive" 2>"$work/err")
ok $? "Debian 14 with every name in its archive: deps.sh failed: $(cat "$work/err")"
has "$names" libclang-rt-21-dev; ok $? "Debian 14: the clang runtime is not clang's own: $names"
grep -q 'Debian GNU/Linux 14 (forky) is not a release deps.sh knows' "$work/err"
ok $? "Debian 14: no word that the release is unknown: $(cat "$work/err")"
grep -vx -e libclang-rt-21-dev -e fonts-liberation "$work/archive" >"$work/short"
out=$("$deps" --print test --os-release "$forky" --clang-major 21 --archive "$work/short" 2>&1)
ok $((! $?)) "Debian 14 lacking two names: deps.sh did not fail"
grep -q 'has no fonts-liberation libclang-rt-21-dev\.' <<<"$out"
ok $? "Debian 14: the missing names are not given: $out"
grep -q 'apt-get install' <<<"$out"; ok $((! $?)) "Debian 14: a bare apt error: $out"

out=$("$deps" --print run --os-release "$fedora" 2>&1)
ok $((! $?)) "Fedora: deps.sh did not fail"
grep -q 'Fedora Linux 42 (Workstation Edition) is not Debian' <<<"$out"; ok $? "Fedora: $out"
grep -q 'qt6-base-dev' <<<"$out"; ok $? "Fedora: what to install by hand is not named: $out"

# ---- this machine: every name, for every purpose, is in its archive ----
if command -v apt-cache >/dev/null && [[ -n $(apt-cache policy g++ 2>/dev/null) ]]; then
  for purpose in run package test root; do
    names=$("$deps" --print "$purpose")
    ok $? "this machine, $purpose: deps.sh --print failed"
    # shellcheck disable=SC2086
    absent=$(apt-cache policy $names 2>/dev/null | awk '
      /^[^ ]/ { if (name != "" && !found) print name; name = $1; sub(/:$/, "", name); found = 0 }
      /^  Candidate: / && $2 != "(none)" { found = 1 }
      END { if (name != "" && !found) print name }')
    [[ -z $absent && -n $names ]]; ok $? "this machine, $purpose: the archive has no $absent"
  done
fi

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
