#!/usr/bin/env bash
# Builds the program and runs it under Wine. With a display the window is shown; without
# one it runs under Xvfb, a screenshot is saved to build/demo/ and the window is closed.
set -euo pipefail
source "$(dirname "$0")/lib/env.sh"
ensure_packages
configure_and_build
trap stop_environment EXIT
had_display=0
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then had_display=1; fi
# The display first: Wine's desktop process, started with the first program, binds to it.
start_display
start_wineserver
cd "$TEST_DIR/bin"
if [ "$had_display" = 1 ]; then
  set +e; "$WINE" setup.exe "$@"; code=$?; set -e
else
  mkdir -p "$ROOT/build/demo"
  "$WINE" setup.exe "$@" &
  pid=$!
  sleep 3
  import -window root "$ROOT/build/demo/window.png" || true
  "$WINE" taskkill /im setup.exe >/dev/null 2>&1 || true
  set +e; wait "$pid"; code=$?; set -e
  log "screenshot: build/demo/window.png"
fi
echo "setup.exe exit code: $code"
