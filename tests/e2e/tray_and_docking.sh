#!/usr/bin/env bash
# The real program on a virtual X server with a window manager and an XEmbed tray:
# secondary windows stay out of the taskbar, dragging the main window docks them,
# and the minimise picture hides everything until a press on the tray icon.
# Usage: tray_and_docking.sh path/to/quivera-recordim
set -uo pipefail
program=$1
for tool in Xvfb openbox trayer xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
# The program keeps its data beside itself: run a copy in a scratch folder.
cp "$program" "$work/quivera-recordim"

# QR_E2E_DISPLAY picks the display number; otherwise the server takes a free one.
if [[ -n ${QR_E2E_DISPLAY:-} ]]; then
  Xvfb ":$QR_E2E_DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  echo "$QR_E2E_DISPLAY" >"$work/display"
else
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
fi
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=:$(head -1 "$work/display")
for _ in $(seq 50); do xprop -root >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & pids+=($!)
trayer --edge top --align right --widthtype pixel --width 100 --heighttype pixel --height 24 \
  >/dev/null 2>&1 & pids+=($!)
sleep 1
(cd "$work" && exec ./quivera-recordim >"$work/log" 2>&1) & pids+=($!)

failures=0
check() { # description, then a command that must succeed
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
shown() { xdotool search --onlyvisible --classname "^quivera-recordim$" 2>/dev/null; }
position() { xdotool getwindowgeometry "$1" | awk '/Position/ { print $2 }'; }
size() { xdotool getwindowgeometry "$1" | awk '/Geometry/ { print $2 }'; }
pages() { # the shown secondary windows
  for id in $(shown); do [[ $(size "$id") == 228x204 ]] && echo "$id"; done
}
named() { # the shown windows with this title and at least this width
  for id in $(shown); do
    [[ $(xdotool getwindowname "$id") == "$1" && ${2:-0} -le $(size "$id" | cut -dx -f1) ]] && echo "$id"
  done
}

for _ in $(seq 50); do main=$(named "Quivera Recordim!" 200); [[ -n $main ]] && break; sleep 0.1; done
[[ -n $main ]] || { echo "FAILED: the main window never appeared"; exit 1; }
icon=$(for id in $(shown); do [[ $(size "$id" | cut -dx -f1) -lt 64 ]] && echo "$id"; done | head -1)
check "the tray holds the icon" test -n "$icon"

IFS=, read -r mx my <<<"$(position "$main")"
xdotool mousemove $((mx + 161)) $((my + 55)) click 1   # imgEscrever
sleep 0.5
editor=$(pages)
check "write opens a window" test -n "$editor"
check "the main window is in the taskbar" \
  bash -c "! xprop -id $main _NET_WM_STATE | grep -q SKIP_TASKBAR"
check "the secondary window stays out of the taskbar" \
  bash -c "xprop -id $editor _NET_WM_STATE | grep -q SKIP_TASKBAR"

xdotool mousemove $((mx + 10)) $((my + 10)) mousedown 3 sleep 0.2 \
  mousemove $((mx - 200)) $((my - 100)) sleep 0.2 mousemove $((mx - 300)) $((my - 200)) \
  sleep 0.2 mouseup 3
sleep 0.5
IFS=, read -r nx ny <<<"$(position "$main")"
check "a right drag on the body moves the main window" test "$nx,$ny" = "$((mx - 310)),$((my - 210))"
check "the open window docks left of it" test "$(position "$editor")" = "$((nx - 232)),$ny"

xdotool mousemove $((nx + 196)) $((ny + 16)) click 1   # btnMinimizar
sleep 0.5
check "minimise hides every window" test -z "$(named "Quivera Recordim!" 200)$(pages)"
for button in 1 3; do
  [[ -n $icon ]] || break
  IFS=, read -r ix iy <<<"$(position "$icon")"
  xdotool mousemove $((ix + 5)) $((iy + 5)) click $button
  sleep 0.5
  check "button $button on the icon brings the main window back" test -n "$(named "Quivera Recordim!" 200)"
  xdotool mousemove $((nx + 196)) $((ny + 16)) click 1
  sleep 0.5
done

exit $((failures > 0))
