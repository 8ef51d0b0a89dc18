#!/usr/bin/env bash
# A letter typed into the body survives kill -9: the program is started on a
# private X server, the body typed into, and after a 3-second pause the
# process is killed without a chance to save anything. The next start offers
# the kept letter; "Ja" opens it with the modified mark, and the copy it then
# holds has the typed body (read back through quillory-cli).
# Usage: crash_recovery.sh PATH/TO/quillory PATH/TO/quillory-cli
set -euo pipefail
quillory=$1
cli=$2
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"

private_desktop
recovery_dir="$XDG_DATA_HOME/quillory"
unmodified='TRELVANI Quillory 1.0 - [unbenannt.bri]'
modified='TRELVANI Quillory 1.0 - [unbenannt.bri*]'
text='Nichts geht verloren'

fail() {
  echo "FAIL: $*" >&2
  ls -l "$recovery_dir" >&2 2>/dev/null || true
  cat "$work/quillory.log" >&2
  exit 1
}

# The body of the letter kept in the recovery folder (the only one there).
kept_body() {
  local copy
  copy=$(find "$recovery_dir" -maxdepth 1 -name '*.bri' | head -n1)
  [ -n "$copy" ] || return 0
  "$cli" convert "$copy" "$work/kept.json" >/dev/null 2>&1 || return 0
  python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["body"])' "$work/kept.json" 2>/dev/null ||
    cat "$work/kept.json"
}

# Run 1: type into the body (the last field of the first tab), pause, kill -9.
start
window=$(wait_for_window "$unmodified")
xdotool windowfocus --sync "$window"
# The two radio buttons are one stop; the 13th Tab reaches the body.
for _ in $(seq 13); do xdotool key Tab; done
sleep 0.3
xdotool type --delay 30 "$text"
wait_for_window "$modified" >/dev/null
sleep 3
kill -KILL "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=""
# Into a variable first: grep -q would end the pipe early, and pipefail call that a failure.
body=$(kept_body)
[[ $body == *"$text"* ]] || fail "no copy with the typed body 3 s after the last key"
echo "run 1: copy written within 3 s; killed with -9"

# Run 2: the copy is offered ("Ja" is the default) and opens modified.
start
box=$(wait_for_window 'Quillory')
xdotool windowfocus --sync "$box"
xdotool key Return
wait_for_window "$modified" >/dev/null
# The new run writes its own copy first and removes the killed run's after.
for _ in $(seq 50); do
  [ "$(find "$recovery_dir" -maxdepth 1 -name '*.bri' | wc -l)" = 1 ] && break
  sleep 0.1
done
[ "$(find "$recovery_dir" -maxdepth 1 -name '*.bri' | wc -l)" = 1 ] ||
  fail "the killed run's copy is still there beside the new one"
body=$(kept_body)
[[ $body == *"$text"* ]] || fail "the recovered letter has lost the typed body"
echo "run 2: offered, recovered with the typed body and the modified mark"
