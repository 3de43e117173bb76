#!/usr/bin/env bash
# Tries the project where a newcomer stands: a fresh minbase root of a Debian
# release, made by debootstrap from the archive this machine's apt uses, with
# this tree copied in. There ./scripts/run.sh runs first and alone, and must show
# the main window (on an X server of this machine); then ./scripts/test.sh runs
# every test and the package check.
#
#   fresh-root.sh [--file-by-file] [--keep] RELEASE [all|run|prepare]
#
# RELEASE: 12 or bookworm, 13 or trixie. "run" stops after run.sh; "prepare" only
# makes the root and fetches, without installing, the packages the tests will
# install, so that CI can do it while it compiles something else (the next run
# of the same release goes on from there). --file-by-file has the package check's
# Release build compile file by file, not in batches. --keep leaves the root in
# ~/.cache/quivera-recordim/roots/RELEASE-work. As root: it mounts and chroots.
# The debootstrap result is kept there too, for a week; the project's steps always
# start from a copy of it. Logs and a screenshot of the main window land in
# build-fresh-root/.
set -euo pipefail
cd "$(dirname "$0")/.."
project=$PWD

package_unity=ON
keep=
args=()
for a in "$@"; do
  case $a in
    --file-by-file) package_unity=OFF ;;
    --keep) keep=1 ;;
    *) args+=("$a") ;;
  esac
done
release=${args[0]:-}
step=${args[1]:-all}
case $release in
  12 | bookworm) release=bookworm ;;
  13 | trixie) release=trixie ;;
  *) echo "usage: fresh-root.sh [--file-by-file] [--keep] 12|13|bookworm|trixie [all|run|prepare]" >&2
     exit 2 ;;
esac
[[ $step == all || $step == run || $step == prepare ]] || { echo "unknown step $step" >&2; exit 2; }
[[ $(id -u) -eq 0 ]] || { echo "fresh-root.sh mounts and chroots: run it as root" >&2; exit 1; }

roots=${XDG_CACHE_HOME:-$HOME/.cache}/quivera-recordim/roots
base=$roots/$release-minbase
work=$roots/$release-work
prepared=$roots/$release-work.prepared
out=$project/build-fresh-root
mkdir -p "$roots" "$out"
started=$SECONDS
log() { printf '== %s %d:%02d %s\n' "$release" $(((SECONDS - started) / 60)) $(((SECONDS - started) % 60)) "$*"; }

# The main Debian archive of this machine's apt sources (not its security or
# updates suites): the first entry of a suite without a dash.
mirror() {
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [[ -f $f ]] || continue
    awk 'BEGIN { RS = ""; FS = "\n" }
      { types = uris = suites = ""; enabled = "yes"
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^#/) continue
          split($i, kv, /:[ \t]*/)
          key = tolower(kv[1]); value = substr($i, length(kv[1]) + 2); sub(/^[ \t]+/, "", value)
          if (key == "types") types = value
          else if (key == "uris") uris = value
          else if (key == "suites") suites = value
          else if (key == "enabled") enabled = tolower(value)
        }
        if (enabled == "no" || (" " types " ") !~ / deb /) next
        n = split(suites, s, /[ \t]+/)
        for (i = 1; i <= n; i++)
          if (s[i] != "" && s[i] !~ /-/) { split(uris, u, /[ \t]+/); print u[1]; exit }
      }' "$f"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [[ -f $f ]] || continue
    sed -n 's/^deb[ \t]\+\(\[[^]]*\][ \t]\+\)\?\([^ \t]\+\)[ \t]\+\([^ \t-]\+\)[ \t].*/\2/p' "$f"
  done
}

make_base() {
  if [[ -f $base/.complete && -z $(find "$base/.complete" -mtime +7) ]]; then
    return
  fi
  local archive
  archive=$(mirror | head -1)
  [[ -n $archive ]] || { echo "no Debian archive in this machine's apt sources" >&2; exit 1; }
  log "debootstrap --variant=minbase $release from $archive"
  rm -rf --one-file-system "$base" "$base.new"
  nice debootstrap --variant=minbase "$release" "$base.new" "$archive" >"$out/$release-debootstrap.log" \
    || { tail -20 "$out/$release-debootstrap.log"; exit 1; }
  rm -rf "$base.new/var/cache/apt/archives/"*.deb
  touch "$base.new/.complete"
  mv "$base.new" "$base"
}

mounts=(proc sys dev dev/pts)
mounted() { [[ -n $(findmnt -rn -o TARGET | grep -F "$work" || true) ]]; }
mount_all() {
  mount -t proc proc "$work/proc"
  mount --bind /sys "$work/sys"
  mount --bind /dev "$work/dev"
  mount --bind /dev/pts "$work/dev/pts"
}

# Every process whose root is the work root: started by this script (or by what
# it ran there), since nothing else enters it.
in_root() {
  local p
  for p in /proc/[0-9]*; do
    [[ $(readlink "$p/root" 2>/dev/null) == "$work" ]] && echo "${p#/proc/}"
  done
  return 0
}

pids=()
cleanup() {
  local status=$?
  # A second signal must not cut the unmounting short.
  trap '' TERM INT
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  local left
  left=$(in_root)
  if [[ -n $left ]]; then
    echo "left running in the root, ended: $(ps -o pid=,comm= -p "${left//$'\n'/,}" | tr '\n' ' ')" >&2
    kill $left 2>/dev/null || true
    sleep 2
    left=$(in_root)
    [[ -z $left ]] || kill -KILL $left 2>/dev/null || true
  fi
  wait 2>/dev/null || true
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    if mountpoint -q "$work/${mounts[i]}"; then
      umount "$work/${mounts[i]}" || umount -l "$work/${mounts[i]}"
    fi
  done
  # Never remove a tree that still holds this machine's /dev or /sys.
  if mounted; then
    echo "still mounted under $work: left in place" >&2
  elif [[ -z $keep && $step != prepare ]]; then
    rm -rf --one-file-system "$work" "$prepared"
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

# A clean environment, as a login gives; a command, not a function, so that a
# process started in the background is the one whose id it leaves.
in_chroot=(chroot "$work" /usr/bin/env -i HOME=/root USER=root LOGNAME=root LANG=C.UTF-8
           TERM=dumb PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)

# This tree as it is, its uncommitted changes too, without build folders or .git.
copy_project() {
  local dest=$work/root/quivera-recordim
  rm -rf "$dest"
  mkdir -p "$dest"
  if git -C "$project" rev-parse --git-dir >/dev/null 2>&1; then
    git -C "$project" ls-files -z --cached --others --exclude-standard |
      (cd "$project" && while IFS= read -r -d '' f; do [[ -e $f ]] && printf '%s\0' "$f"; done) |
      tar -C "$project" --null -T - -cf - | tar -C "$dest" -xf -
  else
    tar -C "$project" --exclude='./build*' -cf - . | tar -C "$dest" -xf -
  fi
}

# A root as debootstrap made it, with the network and unsafe but quick dpkg
# writes (the root is thrown away): what a newcomer's machine has installed.
fresh_root() {
  rm -rf --one-file-system "$work" "$prepared"
  cp -a "$base" "$work"
  cp -L /etc/resolv.conf "$work/etc/resolv.conf"
  echo force-unsafe-io >"$work/etc/dpkg/dpkg.cfg.d/unsafe-io"
}

# The root goes on from a "prepare" of the same minbase, if one is there and has
# installed nothing since.
reuse_prepared() {
  [[ -f $prepared && -d $work && $(cat "$prepared") == "$(stat -c %Y "$base/.complete")" ]] &&
    cmp -s "$work/var/lib/dpkg/status" "$base/var/lib/dpkg/status"
}

./scripts/deps.sh root
make_base
if mounted; then
  echo "$work is still mounted from an earlier run: unmount it first" >&2
  trap - EXIT
  exit 1
fi
if reuse_prepared; then
  log "root prepared earlier, nothing installed in it"
else
  fresh_root
fi
rm -f "$prepared"
mount_all
copy_project

if [[ $step == prepare ]]; then
  log "apt-get update, and the test packages fetched, not installed"
  "${in_chroot[@]}" apt-get update -qq
  names=$("${in_chroot[@]}" /root/quivera-recordim/scripts/deps.sh --print test)
  # shellcheck disable=SC2086
  "${in_chroot[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --download-only \
    --no-install-recommends $names >/dev/null
  stat -c %Y "$base/.complete" >"$prepared"
  log "prepared"
  exit 0
fi

# An X server of this machine's: the root has none before run.sh, and must get
# none from here. Its abstract socket reaches into the root.
mkfifo "$out/.display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$out/.display" >/dev/null 2>&1 &
pids+=($!)
read -r display <"$out/.display"
rm -f "$out/.display"
display=:$display

log "./scripts/run.sh alone"
"${in_chroot[@]}" DISPLAY="$display" /root/quivera-recordim/scripts/run.sh \
  > >(tee "$out/$release-run.log") 2>&1 &
app=$!
pids+=($app)
wid=
until [[ -n $wid ]]; do
  kill -0 "$app" 2>/dev/null || { wait "$app" || true; echo "run.sh ended before the main window showed" >&2; exit 1; }
  sleep 1
  wid=$(DISPLAY=$display xdotool search --onlyvisible --name '^Quivera Recordim!$' 2>/dev/null | head -1) || true
done
DISPLAY=$display xwininfo -id "$wid" | grep -q 'Map State: IsViewable' || { echo "main window not mapped" >&2; exit 1; }
# A screenshot once the page has stopped changing.
last=
for _ in $(seq 20); do
  now=$(DISPLAY=$display import -window "$wid" -format '%#' info: 2>/dev/null) || true
  [[ -n $now && $now == "$last" ]] && break
  last=$now
  sleep 0.5
done
DISPLAY=$display import -window root "$out/$release-run.png"
log "main window shown ($out/$release-run.png)"
kill "$app"
wait "$app" 2>/dev/null || true
# The program alone: nothing of the tests came with it.
if "${in_chroot[@]}" dpkg-query -W -f='${Status}\n' libgtest-dev 2>/dev/null | grep -q 'install ok installed'; then
  echo "run.sh installed the tests' GoogleTest" >&2
  exit 1
fi
[[ $step == run ]] && exit 0

log "./scripts/test.sh"
"${in_chroot[@]}" QR_PACKAGE_UNITY=$package_unity /root/quivera-recordim/scripts/test.sh 2>&1 |
  tee "$out/$release-test.log"
log "test.sh passed"
