# Sourced by the end-to-end scripts: a private X server for the real window.
#   xvfb_start WORKDIR   sets DISPLAY and xvfb_pid; skips the test (exit 77)
#                        when Xvfb or xdotool is missing or the server fails
# The caller stops the server by its PID (xvfb_pid) in its cleanup.

xvfb_start() {
  local work=$1 tool
  for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
      echo "SKIP: $tool is not installed"
      exit 77
    fi
  done
  # -displayfd picks a free display number and writes it once the server is ready;
  # -noreset keeps the server up between the program's runs (a reset refuses
  # whoever connects meanwhile).
  Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  if [ ! -s "$work/display" ]; then
    echo "SKIP: Xvfb did not start"
    cat "$work/xvfb.log"
    exit 77
  fi
  export DISPLAY=":$(head -n1 "$work/display")"
}

# private_desktop   makes $work, starts the server in it and points HOME and
#                   the XDG folders into $work/home; at exit it kills the
#                   program the caller started (its PID in app_pid), stops the
#                   server and removes $work.
private_desktop() {
  work=$(mktemp -d)
  xvfb_pid=""
  app_pid=""
  trap private_desktop_end EXIT
  xvfb_start "$work"
  export QT_QPA_PLATFORM=xcb HOME="$work/home" XDG_CONFIG_HOME="$work/home/config"
  export XDG_DATA_HOME="$work/home/data" XDG_RUNTIME_DIR="$work/runtime"
  mkdir -p "$HOME"
  mkdir -m700 "$XDG_RUNTIME_DIR"
}

private_desktop_end() {
  if [ -n "$app_pid" ]; then kill -KILL "$app_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  rm -rf "$work"
}

# start             starts "$quillory" on the server (PID in app_pid), its
#                   output appended to $work/quillory.log.
start() {
  "$quillory" >>"$work/quillory.log" 2>&1 &
  app_pid=$!
}

# wait_for_window TITLE   prints the id of the program's window titled
#                   exactly TITLE; calls the script's fail after 20 s.
wait_for_window() {
  for _ in $(seq 200); do
    local id
    for id in $(xdotool search --pid "$app_pid" --name . 2>/dev/null || true); do
      if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ]; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.1
  done
  fail "no window titled: $1"
}
