# Sourced by script/test and script/run: starts a private Xvfb screen for the
# Windows programs and stops it (and Wine's server) when the script ends.
start_xvfb() {
  local n=90
  while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
  Xvfb ":${n}" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${n}" ] && break; sleep 0.1; done
  export DISPLAY=":${n}"
  trap stop_xvfb EXIT
}

stop_xvfb() {
  WINEPREFIX="${ORISTEL_WINEPREFIX:-}" wineserver -k >/dev/null 2>&1 || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}
