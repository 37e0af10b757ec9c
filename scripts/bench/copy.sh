#!/usr/bin/env bash
# CopyFileList against CopyFileW: 2000 files of 40 KB and four of 100 MB (needs ~1 GB free).
# Sourced by scripts/bench.sh with TEST_DIR, WINE and the Wine environment set up.
work_dir=$(mktemp -d "${TMPDIR:-/tmp}/copybench.XXXXXX")
trap 'rm -rf "$work_dir"; stop_environment' EXIT
"$WINE" "$TEST_DIR/bin/copybench.exe" "Z:${work_dir//\//\\}\\run" </dev/null
