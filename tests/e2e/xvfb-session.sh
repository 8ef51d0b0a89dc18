#!/usr/bin/env bash
# A private X server for end-to-end tests of the real window.
#
#   source tests/e2e/xvfb-session.sh
#   xvfb_start          # exports DISPLAY
#   xvfb_stop           # stops it by its PID

xvfb_start() {
  local d
  XVFB_PID=
  for d in $(seq 91 140); do
    [ -e "/tmp/.X$d-lock" ] || [ -e "/tmp/.X11-unix/X$d" ] && continue
    Xvfb ":$d" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    local i
    for i in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$d" ] && break
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    if [ -e "/tmp/.X11-unix/X$d" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$d"
      return 0
    fi
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  done
  echo "no X display could be started" >&2
  return 1
}

xvfb_stop() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
  fi
}
