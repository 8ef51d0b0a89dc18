#!/usr/bin/env bash
# Runs the real program three times on a private X server with a temporary
# HOME whose settings file names two fonts by hand: the first run changes a
# sender field, chooses Layout 2 and moves the window, closes through
# "Beenden" and answers "Nein" to the save question; the second must come
# back with all of it (it writes it all again when it is ended by SIGTERM
# with an unsaved letter); the third offers that letter, opens it and removes
# the recovery file on its normal close.
# Usage: settings_roundtrip.sh PATH/TO/quillory
set -euo pipefail
quillory=$1
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"

private_desktop
ini="$XDG_CONFIG_HOME/Software/quillory.ini"
recovery_dir="$XDG_DATA_HOME/quillory"
# The letter files kept in the recovery folder, one a line.
recovery_copies() {
  find "$recovery_dir" -maxdepth 1 -name '*.bri' 2>/dev/null || true
}
unmodified='TRELVANI Quillory 1.0 - [unbenannt.bri]'
modified='TRELVANI Quillory 1.0 - [unbenannt.bri*]'

fail() {
  echo "FAIL: $*" >&2
  [ -f "$ini" ] && { echo "--- $ini" >&2; cat "$ini" >&2; }
  cat "$work/quillory.log" >&2
  exit 1
}

wait_for_exit() {
  for _ in $(seq 200); do
    kill -0 "$app_pid" 2>/dev/null || { wait "$app_pid" || true; app_pid=""; return 0; }
    sleep 0.1
  done
  fail "the program did not end"
}

# "Beenden" from the menu "Datei" (the last item), as the user chooses it.
choose_beenden() {
  xdotool mousemove --window "$1" 20 10 click 1
  sleep 0.5
  xdotool key Up Return
}

# Answers the save question with "Nein": the focus starts on "Ja".
answer_no() {
  local box
  box=$(wait_for_window 'Speichern')
  xdotool windowfocus --sync "$box"
  xdotool key Tab
  sleep 0.2
  xdotool key Return
}

ini_value() {
  sed -n "s/^$1=//p" "$ini"
}

# As a user might edit the file: a blank after the comma, no quotes.
mkdir -p "$(dirname "$ini")"
printf '[TMainForm]\nFontDialog1_FontSize=14\nFontDialog1_FontStyle=[fsBold, fsItalic]\nFontDialog2_FontName=Times New Roman\n' >"$ini"

# What the window must have kept, as QSettings writes it.
check_kept() {
  [ "$(ini_value Edit10_Text)" = 'Erika Beispiel' ] || fail "$1: the sender name is not kept"
  [ "$(ini_value Layout2Check_Checked)" = 'True' ] || fail "$1: Layout 2 is not kept"
  [ "$(ini_value Layout1Check_Checked)" = 'False' ] || fail "$1: Layout 1 is still on"
  [ "$(ini_value FontDialog1_FontSize)" = '14' ] || fail "$1: the letter font size is lost"
  [ "$(ini_value FontDialog1_FontStyle)" = '"[fsBold,fsItalic]"' ] ||
    fail "$1: the letter font style is lost"
  [ "$(ini_value FontDialog2_FontName)" = 'Times New Roman' ] || fail "$1: the footer font is lost"
}

# Run 1: a new sender name, Layout 2, the window moved, closed through the menu.
start
window=$(wait_for_window "$unmodified")
xdotool windowmove --sync "$window" 60 40
xdotool windowfocus --sync "$window"
xdotool key ctrl+Tab   # to "Ihre Daten", whose first field takes the focus
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 30 'Erika Beispiel'
wait_for_window "$modified" >/dev/null
xdotool key ctrl+Tab   # to "Druck Vorschau": page, zoom, then the layout buttons
sleep 0.3
xdotool key Tab Tab Right
sleep 0.3
choose_beenden "$window"
answer_no
wait_for_exit
check_kept "run 1"
[ "$(ini_value NormPos)" = '"60,40,930,680"' ] || fail "NormPos not stored"
echo "run 1: stored Edit10_Text=$(ini_value Edit10_Text) NormPos=$(ini_value NormPos)" \
  "Layout2Check_Checked=$(ini_value Layout2Check_Checked) FontDialog1_FontStyle=$(ini_value FontDialog1_FontStyle)"

# Run 2: restored without a modified mark, at the stored place; then an
# unsaved letter and SIGTERM from the session.
start
window=$(wait_for_window "$unmodified")
position=$(xdotool getwindowgeometry "$window" | sed -n 's/^ *Position: \([0-9]*,[0-9]*\).*/\1/p')
[ "$position" = '60,40' ] || fail "window at $position, not at 60,40"
xdotool windowfocus --sync "$window"
xdotool type --delay 30 'Herr Beispiel'
wait_for_window "$modified" >/dev/null
# Only a run that restored them writes the values back.
sed -i -e 's/^Edit10_Text=.*/Edit10_Text=overwritten/' -e '/^Layout/d' -e '/^FontDialog/d' "$ini"
kill -TERM "$app_pid"
wait_for_exit
check_kept "run 2"
[ -n "$(recovery_copies)" ] || fail "no recovery file after SIGTERM"
echo "run 2: restored at $position with sender, layout and fonts; recovery file written on SIGTERM"

# Run 3: the kept letter is offered ("Ja" is the default), opened as an
# unsaved letter, and gone after a normal close.
start
box=$(wait_for_window 'Quillory')
xdotool windowfocus --sync "$box"
xdotool key Return
window=$(wait_for_window "$modified")
choose_beenden "$window"
answer_no
wait_for_exit
[ -z "$(recovery_copies)" ] || fail "the recovery file is still there after a normal close"
echo "run 3: letter offered and opened; recovery file removed on close"
