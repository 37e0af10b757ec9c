#!/usr/bin/env bash
# Builds setup.exe and setup.EN_ into build/win32, and the tests (installs what is missing).
set -euo pipefail
source "$(dirname "$0")/lib/env.sh"
ensure_packages
configure_and_build
log "built $PRODUCT_DIR/bin/setup.exe and $PRODUCT_DIR/bin/setup.EN_; tests in $TEST_DIR"
