#!/usr/bin/env bash
# Starts the real program on a private X server, types into the recipient
# field and checks that the window title gains the modified mark.
# Usage: window_title.sh PATH/TO/quillory
set -euo pipefail
quillory=$1
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

xvfb_start "$work"
export QT_QPA_PLATFORM=xcb HOME="$work" XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m700 "$XDG_RUNTIME_DIR"

"$quillory" >"$work/quillory.log" 2>&1 &
app_pid=$!

# Waits until the window's title is $1; prints the window id.
wait_for_title() {
  for _ in $(seq 200); do
    local id
    id=$(xdotool search --pid "$app_pid" --name '^TRELVANI Quillory' 2>/dev/null | head -n1 || true)
    if [ -n "$id" ] && [ "$(xdotool getwindowname "$id")" = "$1" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  echo "title never became: $1" >&2
  [ -n "${id:-}" ] && echo "it is: $(xdotool getwindowname "$id")" >&2
  cat "$work/quillory.log" >&2
  return 1
}

before='TRELVANI Quillory 1.0 - [unbenannt.bri]'
after='TRELVANI Quillory 1.0 - [unbenannt.bri*]'
window=$(wait_for_title "$before")
echo "before: $(xdotool getwindowname "$window")"

xdotool windowfocus --sync "$window"
xdotool type --delay 30 'Herr Beispiel'
wait_for_title "$after" >/dev/null
echo "after:  $(xdotool getwindowname "$window")"
