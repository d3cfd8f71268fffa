# Shared by the live window checks (sourced, not run).
#
# live_x_start N WxHxD: when there is no display, starts Xvfb on :N with one
# screen of that geometry, waits for its socket, and stops it on exit.
live_x_start() {
  live_x_pid=""
  if [ -z "${DISPLAY:-}" ]; then
    export DISPLAY=":$1"
    Xvfb "$DISPLAY" -screen 0 "$2" >/dev/null 2>&1 &
    live_x_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$1" ] && break; sleep 0.1; done
  fi
  trap 'if [ -n "$live_x_pid" ]; then kill "$live_x_pid" 2>/dev/null || true; fi' EXIT
}

# live_x_window NAME: prints the id of the first window whose name matches,
# waiting up to five seconds for it; fails when none shows.
live_x_window() {
  local wid=""
  for _ in $(seq 50); do
    wid=$(xdotool search --name "$1" 2>/dev/null | head -1 || true)
    if [ -n "$wid" ]; then
      echo "$wid"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
