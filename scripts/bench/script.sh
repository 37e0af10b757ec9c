#!/usr/bin/env bash
# setupcheck.exe on scripts with 100, 1,000 and 10,000 Files entries (median of 5 runs)
# Sourced by scripts/bench.sh with TEST_DIR, WINE and a warm wineserver. Measures the wall
# time of the whole `setupcheck.exe DIR --json` process, prints the time to merely read
# each file once, and ends with "script ms100=T1 ms1000=T2 ms10000=T3".
bench_dir=$(mktemp -d)
trap 'rm -rf "$bench_dir"; stop_environment' EXIT

# The Wine path of a Linux path (drive Z: is the root).
wine_path() { local p=$1; echo "Z:${p//\//\\}"; }

# A script like a real update's: a few directories and texts, n files in sub-directories.
make_script() {
  local dir=$1 n=$2 i
  mkdir -p "$dir"
  {
    printf '[DefaultDestDirs]\r\n1=%%PROGFILES%%\\Bench\\App\r\n2=C:\\Bench\\Data\r\n'
    printf '[LookUpRegistryForDestDirs]\r\n1=BenchVendor\\App\\exedir\r\n'
    printf '[CaptionsForDestDirs]\r\n1=Programmverzeichnis\r\n2=Datenverzeichnis\r\n'
    printf '[CreateDirs]\r\nlogs=Logs|1\r\n'
    printf '[Setup]\r\nProduct=Bench $$$Version$$$\r\nColorHeader=blue\r\n'
    printf '[Welcome]\r\nText=Willkommen|zum Update auf $$$Version$$$\r\n'
    printf '[Files]\r\n'
    for ((i = 0; i < n; i++)); do printf 'module%03d\\sub\\file%05d.dll=%d\r\n' $((i % 100)) "$i" $((i % 3)); done
  } >"$dir/setup.ini"
  printf '[Data]\r\nVersion=2.3.0\r\n' >"$dir/setup.dat"
}

# Median wall time in integer milliseconds of 5 runs of setupcheck.exe on a directory.
time_setupcheck() {
  local dir=$1 times=() i start end
  for i in 1 2 3 4 5; do
    start=$(date +%s%N)
    "$WINE" "$TEST_DIR/bin/setupcheck.exe" "$(wine_path "$dir")" --json >/dev/null
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 3p
}

declare -A result
for n in 100 1000 10000; do
  make_script "$bench_dir/s$n" "$n"
  "$WINE" "$TEST_DIR/bin/setupcheck.exe" "$(wine_path "$bench_dir/s$n")" --json >/dev/null  # warm-up
  result[$n]=$(time_setupcheck "$bench_dir/s$n")
  echo "files=$n setupcheck median ${result[$n]} ms"
  echo "files=$n $("$WINE" "$TEST_DIR/bin/scriptread.exe" "$(wine_path "$bench_dir/s$n/setup.ini")")"
done
echo "script ms100=${result[100]} ms1000=${result[1000]} ms10000=${result[10000]}"
