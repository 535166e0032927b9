#!/usr/bin/env bash
# Takes a picture of each window of the editor, on the bundled example model, under
# Xvfb, into docs/ (PNG). The tour through the windows is the UI script
# docs/screenshots.ui, played through the real Qt windows.
#
#   bash scripts/screenshots.sh            # builds in build-qt, writes docs/*.png
#   BUILD=build-shots bash scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD:-build-qt}
cmake -S . -B "$build" -G Ninja -DQUORVEL_WITH_QT=ON >/dev/null
cmake --build "$build" -j2 --target quorvel_screenshots

# A fixed screen and 96 dots per inch, so that 8-point text is the same size on
# every machine.
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
  "$build/bin/quorvel_screenshots" examples/fleet.ms3d docs/screenshots.ui docs
