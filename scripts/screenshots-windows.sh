#!/usr/bin/env bash
# Takes a picture of each of the system's own dialogs of the Windows build, on the
# bundled example model, under Wine on Xvfb, into docs/win32/ (PNG). The tour through
# the windows is the same UI script as for the Qt pictures, docs/screenshots.ui,
# played through the Win32 dialogs.
#
#   bash scripts/screenshots-windows.sh     # builds in build-windows, writes docs/win32/*.png
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD:-build-windows}
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target quorvel_win32_screenshots
mkdir -p docs/win32

export WINEPREFIX=$PWD/$build/wineprefix WINEDEBUG=-all
# A fixed screen and 96 dots per inch, so that 8-point text is the same size on every
# machine; Wine draws the title bars itself, as no window manager runs there.
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" sh -c '
  wineboot --init >/dev/null 2>&1 || true
  wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wine "$0" examples/fleet.ms3d docs/screenshots.ui docs/win32
  status=$?
  wineserver -w
  exit $status' "$build/bin/quorvel_win32_screenshots.exe"
