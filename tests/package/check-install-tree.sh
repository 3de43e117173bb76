#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what a desktop looks for
# there; the desktop entry and the metainfo must validate without a warning.
#   check-install-tree.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*"; exit 1; }
[[ -x $prefix/bin/quivera-recordim ]] || fail "no program in bin/"
doc=share/doc/quivera-recordim
for f in "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
         "share/icons/hicolor/scalable/apps/$id.svg" $doc/copyright $doc/changelog.gz \
         share/man/man1/quivera-recordim.1.gz share/lintian/overrides/quivera-recordim; do
  [[ -s $prefix/$f ]] || fail "missing $f"
done
# Debian keeps the licence's text in common-licenses: no LICENSE beside the copyright file.
[[ ! -e $prefix/$doc/LICENSE ]] || fail "$doc/LICENSE beside the copyright file"
# gzip -9n, as Debian compresses: no file name or time stamp inside, so a rebuild
# gives the same bytes.
for gz in $doc/changelog.gz share/man/man1/quivera-recordim.1.gz; do
  info=$(file -b "$prefix/$gz")
  [[ $info == *"max compression"* && $info != *was* && $info != *"last modified"* ]] \
    || fail "$gz is not compressed with gzip -9n: $info"
done
for size in 16 24 32 48; do
  png=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
  file "$png" | grep -q "PNG image data, $size x $size," || fail "$png is no ${size}px PNG"
done
# The entry starts the installed program and the desktop matches its windows
# by the class Qt gives them, the executable's name.
grep -qx "Exec=quivera-recordim" "$prefix/share/applications/$id.desktop" || fail "Exec"
grep -qx "StartupWMClass=quivera-recordim" "$prefix/share/applications/$id.desktop" \
  || fail "StartupWMClass"

out=$(desktop-file-validate "$prefix/share/applications/$id.desktop" 2>&1) \
  || fail "desktop-file-validate: $out"
[[ -z $out ]] || fail "desktop-file-validate: $out"
out=$(appstreamcli validate --no-net --no-color "$prefix/share/metainfo/$id.metainfo.xml" 2>&1) \
  || fail "appstreamcli: $out"
! grep -qE '^(E|W):' <<<"$out" || fail "appstreamcli: $out"
echo "install tree: 1 passed, 0 failed"
