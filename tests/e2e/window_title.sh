#!/usr/bin/env bash
# Starts the real program on a private X server, types into the recipient
# field and checks that the window title gains the modified mark.
# Usage: window_title.sh PATH/TO/quillory
set -euo pipefail
quillory=$1
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"

private_desktop

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
