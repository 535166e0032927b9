#!/usr/bin/env bash
# Cross-builds Quorvel for 32-bit Windows with MinGW into build-windows/ and runs its
# tests under Wine, on an X display of their own (Xvfb) for the windows they show.
# Wine keeps its settings in build-windows/wineprefix, never in ~/.wine. With
# x86_64, the same for 64-bit Windows in build-windows-x64/.
#   bash scripts/build-windows-tests.sh [JOBS] [i686|x86_64]
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${1:-$(nproc)}
arch=${2:-i686}
case $arch in
  i686) build=build-windows ;;
  x86_64) build=build-windows-x64 ;;
  *) echo "build-windows-tests: no Windows build for $arch (i686 or x86_64)" >&2; exit 1 ;;
esac

# With a Linux build at hand (the test command makes build/ first), quorvel.exe's
# edits are also read back by the Linux quorvel.
linux_build=""
if [ -x build/bin/quorvel ]; then linux_build=$PWD/build; fi
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_WERROR=ON -DQUORVEL_LINUX_BUILD="$linux_build" \
  >/dev/null
cmake --build "$build" -j "$jobs"

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  WINEPREFIX=$PWD/$build/wineprefix wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
if [ ! -s "$work/display" ]; then
  echo "build-windows-tests: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=:$(cat "$work/display")
export WINEPREFIX=$PWD/$build/wineprefix WINEDEBUG=-all
# The first start of Wine sets up its prefix; done once here, not inside a test's time.
wineboot --init >/dev/null 2>&1 || true
# Windows that no window manager manages: without one (a bare Xvfb), Wine would wait
# two seconds for each closed window to be withdrawn.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
ctest --test-dir "$build" -j "$jobs" --timeout 600 --output-on-failure
