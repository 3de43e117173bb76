#!/usr/bin/env bash
# Runs a fuzz target: run-fuzz.sh TARGET corpus | huge | runs N [libFuzzer options...]
# New inputs the fuzzer finds go to a scratch folder, never into the checked-in corpus.
set -euo pipefail
target=$1; what=$2; shift 2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case $what in
  corpus)
    "$target" -runs=0 -artifact_prefix="$work/" "$here/corpus"
    ;;
  huge)
    # A 40,000-line file and a 50 MB line are too big to check in.
    python3 - "$work" <<'PY'
import sys, os
w = sys.argv[1]
with open(os.path.join(w, "lines-40000"), "wb") as f:
    f.write(b'"')
    for i in range(40000):
        f.write(b"26.01.01.00.00.%02d\xa7----/----/----\xa7  \xa7T\xedtulo %d\xa7Descri\xe7\xe3o \xa4%d\xa4\xa5fim\r\n" % (i % 60, i, i))
    f.write(b'"\r\n')
with open(os.path.join(w, "line-50mb"), "wb") as f:
    f.write(b'"' + (b"x\xa7y\xa4\xa5\x81 " * (50 * 1024 * 1024 // 8)) + b'"\r\n')
PY
    "$target" -rss_limit_mb=4096 -runs=1 -artifact_prefix="$work/" "$work/lines-40000" "$work/line-50mb"
    ;;
  runs)
    n=$1; shift
    mkdir "$work/found"
    "$target" -runs="$n" -max_len=4096 -seed=1 -artifact_prefix="${ARTIFACTS:-$work}/" "$@" \
      "$work/found" "$here/corpus"
    ;;
esac
