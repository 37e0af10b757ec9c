# Shared by the project's scripts: installs what is missing, builds, and sets up the
# build's own Wine prefix, a persistent wineserver and (when there is no display) Xvfb
# with openbox. Source it; it defines functions and exports the environment.
#
# The product is the 32-bit build in build/win32. Tests run on that build when the kernel
# executes 32-bit programs (Wine's 32-bit loader needs it). Where it does not (IA-32
# emulation switched off), the same sources are built for 64-bit Windows in build/win64
# and the tests run there under wine64; TEST_ARCH=win32|win64 forces a choice.
# BUILD_SUFFIX and WINEPREFIX give a second working copy of the build and prefix, so two
# people can build and test in one tree at the same time.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
PRODUCT_DIR=$ROOT/build/win32${BUILD_SUFFIX:-}
export WINEPREFIX=${WINEPREFIX:-$ROOT/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export WINESERVER=/usr/lib/wine/wineserver64

log() { echo "[$(date +%H:%M:%S)] $*" >&2; }

# Installs the Debian packages the build and the tests need; does nothing when all are there.
ensure_packages() {
  local wanted=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686 g++-mingw-w64-x86-64-posix
                binutils-mingw-w64-x86-64 cmake make wine wine32:i386 wine64 xvfb xauth openbox
                imagemagick googletest x11-utils python3)
  local missing=() p
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
    $sudo apt-get update -qq
  fi
  if ! DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

# Chooses where tests run and which Wine loader starts the programs.
choose_test_arch() {
  if [ -z "${TEST_ARCH:-}" ]; then
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then TEST_ARCH=win32; else TEST_ARCH=win64; fi
  fi
  TEST_DIR=$ROOT/build/$TEST_ARCH${BUILD_SUFFIX:-}
  if [ "$TEST_ARCH" = win32 ]; then WINE=/usr/lib/wine/wine; else WINE=/usr/lib/wine/wine64; fi
  export TEST_ARCH TEST_DIR WINE
}

# configure_and_build DIR TOOLCHAIN TESTING(ON|OFF)
build_tree() {
  local dir=$1 toolchain=$2 testing=$3
  if [ ! -f "$dir/CMakeCache.txt" ] || ! grep -q "BUILD_TESTING:BOOL=$testing" "$dir/CMakeCache.txt"; then
    cmake -S "$ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$toolchain.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING="$testing" >/dev/null
  fi
  cmake --build "$dir" -j"$(nproc)" -- --no-print-directory
}

# Builds the product (build/win32) and the tree the tests run on.
configure_and_build() {
  choose_test_arch
  if [ "$TEST_ARCH" = win32 ]; then
    build_tree "$PRODUCT_DIR" i686-w64-mingw32 ON
  else
    # SKIP_PRODUCT=1 leaves the 32-bit product alone during a quick inner loop.
    [ "${SKIP_PRODUCT:-0}" = 1 ] || build_tree "$PRODUCT_DIR" i686-w64-mingw32 OFF
    build_tree "$TEST_DIR" x86_64-w64-mingw32 ON
  fi
}

# A persistent wineserver for the prefix: a Wine process then starts in tens of
# milliseconds. Its standard streams are detached, or Wine's services would inherit the
# caller's pipes and a test runner reading them would never finish.
STARTED_WINESERVER=0
start_wineserver() {
  choose_test_arch
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1 || true
    "$WINESERVER" -w
  fi
  setsid "$WINESERVER" -p </dev/null >/dev/null 2>&1 &
  STARTED_WINESERVER=1
  # Warm the prefix: the first process starts Wine's services.
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

STARTED_XVFB_PID=""
start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n i
  for n in 91 92 93 94 95 96 97 98 99; do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    STARTED_XVFB_PID=$!
    export DISPLAY=":$n"
    for i in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    # Without a window manager Wine waits about 2 s whenever a shown window closes.
    # openbox ends by itself when its display goes away.
    openbox </dev/null >/dev/null 2>&1 &
    sleep 0.3
    return 0
  done
  log "no free display number for Xvfb"
  return 1
}

stop_environment() {
  if [ "$STARTED_WINESERVER" = 1 ]; then "$WINESERVER" -k >/dev/null 2>&1 || true; fi
  if [ -n "$STARTED_XVFB_PID" ]; then kill "$STARTED_XVFB_PID" >/dev/null 2>&1 || true; fi
}
