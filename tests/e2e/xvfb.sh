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
