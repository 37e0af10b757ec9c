#!/usr/bin/env bash
# Runs one benchmark: scripts/bench.sh NAME [args]. Without NAME, lists the benchmarks.
# Each benchmark is scripts/bench/NAME.sh; it runs in the same Wine environment as the tests.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
list() {
  echo "benchmarks:"
  local f
  for f in "$here"/bench/*.sh; do
    [ -e "$f" ] || continue
    printf '  %-10s %s\n' "$(basename "$f" .sh)" "$(sed -n 2p "$f" | sed 's/^# *//')"
  done
}
if [ $# -eq 0 ] || [ ! -f "$here/bench/$1.sh" ]; then
  [ $# -gt 0 ] && echo "unknown benchmark: $1" >&2
  list
  [ $# -eq 0 ] && exit 0 || exit 2
fi
name=$1
shift
source "$here/lib/env.sh"
ensure_packages
configure_and_build
trap stop_environment EXIT
# The display first: Wine's desktop process, started with the first program, binds to it.
start_display
start_wineserver
source "$here/bench/$name.sh"
