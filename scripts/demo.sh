#!/usr/bin/env bash
# The demo: builds the program and runs the sample update (examples/update) under Wine on
# a prepared installation of the sample product in the build's Wine prefix.
#   scripts/demo.sh          German;  scripts/demo.sh eng   English
# With a display, the wizard is shown and you click through it. Without one it runs under
# Xvfb: the wizard is walked through automatically, a picture of every page and of the
# diagnostic report is saved to build/demo/, and the exit code, the events, the files and
# the registry values written are printed.
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
mkdir -p "$ROOT/build/demo"
if [ "$had_display" = 1 ]; then
  # The same preparation as the automatic walk, then the person clicks through.
  dir="$ROOT/build/demo/update"
  rm -rf "$dir" && mkdir -p "$dir"
  cp "$ROOT"/examples/update/* "$TEST_DIR/bin/setup.exe" "$TEST_DIR/bin/setup.EN_" "$TEST_DIR/bin/samplehook.dll" "$dir/"
  prefix_c="$WINEPREFIX/drive_c"
  rm -rf "$prefix_c/Sample Editor" "$prefix_c/Sample Editor Data"
  mkdir -p "$prefix_c/Sample Editor/help" "$prefix_c/Sample Editor Data/templates"
  echo "Sample Editor 1.2" > "$prefix_c/Sample Editor/editor.exe"
  echo "Help" > "$prefix_c/Sample Editor/help/index.txt"
  echo "Normal template" > "$prefix_c/Sample Editor Data/templates/normal.txt"
  cp "$TEST_DIR/bin/sample-installed/core.dll" "$prefix_c/Sample Editor/"
  "$WINE" reg add 'HKLM\Software\Example\SampleEditor' /v exedir /d 'C:\Sample Editor' /f /reg:32 >/dev/null
  "$WINE" reg add 'HKLM\Software\Example\SampleEditor' /v datadir /d 'C:\Sample Editor Data' /f /reg:32 >/dev/null
  cd "$dir"
  set +e; "$WINE" setup.exe "$@"; code=$?; set -e
  echo "setup.exe exit code: $code"
else
  rm -f "$ROOT"/build/demo/*.png
  cd "$TEST_DIR/bin"
  "$WINE" demodriver.exe "$@"
fi
