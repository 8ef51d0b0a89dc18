#!/usr/bin/env bash
# The real program under Xvfb: typing into the recipient's name marks the
# letter modified in the window title. Also reports how long the window takes
# to appear (median of five starts).
#   window-title.sh PATH/TO/quillory
set -uo pipefail
app=$1
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/xvfb-session.sh"

work=$(mktemp -d)
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
  xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

xvfb_start || fail "Xvfb did not start"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb
mkdir -p "$HOME"

start_app() {
  "$app" "$@" >"$work/app.log" 2>&1 &
  app_pid=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app_pid" --name 'TRELVANI Quillory' | head -n 1)
  [ -n "$window" ] || { cat "$work/app.log" >&2; fail "no window appeared"; }
}

stop_app() {
  kill "$app_pid" 2>/dev/null
  wait "$app_pid" 2>/dev/null
  app_pid=
}

# Start-up time to the first shown window.
times=()
for run in 1 2 3 4 5; do
  started=$(date +%s%N)
  start_app
  times+=($(( ($(date +%s%N) - started) / 1000000 )))
  stop_app
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
echo "start-up to first window (ms): ${times[*]}; median $median"

start_app
title=$(xdotool getwindowname "$window")
[ "$title" = "TRELVANI Quillory 1.0 - [unbenannt.bri]" ] || fail "title at start: '$title'"

# The recipient's name has the focus at start; type into it.
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool type --delay 20 "Herr"
for i in $(seq 50); do
  title=$(xdotool getwindowname "$window")
  [ "$title" = "TRELVANI Quillory 1.0 - [unbenannt.bri*]" ] && break
  sleep 0.1
done
[ "$title" = "TRELVANI Quillory 1.0 - [unbenannt.bri*]" ] || fail "title after typing: '$title'"
xprop -id "$window" WM_NAME | grep -q 'unbenannt.bri\*' || fail "xprop does not show the mark"
echo "PASS: title '$title'"
