#!/usr/bin/env bash
# The wizard's run against CopyFileW (2000 x 40 KB, 4 x 100 MB) and the cancel delay (~1.5 GB free).
# Sourced by scripts/bench.sh with TEST_DIR, WINE and the Wine environment set up. The
# driver puts the program folders, the update's files and all copies below one work
# directory, which goes away at the end whatever happens.
work_dir=$(mktemp -d "${TMPDIR:-/tmp}/runbench.XXXXXX")
trap 'rm -rf "$work_dir"; stop_environment' EXIT
"$WINE" "$TEST_DIR/bin/rundriver.exe" "Z:${work_dir//\//\\}\\run" </dev/null
