#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine (with Xvfb and openbox
# when there is no display). Ends with CTest's summary.
set -euo pipefail
source "$(dirname "$0")/lib/env.sh"
ensure_packages
configure_and_build
if [ "$TEST_ARCH" = win64 ]; then
  log "this kernel does not run 32-bit programs, so Wine's 32-bit loader cannot start:"
  log "the tests run on the 64-bit build of the same sources (build/win64)"
fi
trap stop_environment EXIT
# The display first: Wine's desktop process, started with the first program, binds to it.
start_display
start_wineserver
cd "$TEST_DIR"
ctest --output-on-failure -j"$(nproc)" "$@"
