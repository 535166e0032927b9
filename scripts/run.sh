#!/usr/bin/env bash
# Installs what is missing, builds Quorvel and opens the editor on a copy of the
# bundled example model, build/fleet.ms3d, made from examples/fleet.ms3d when it is
# missing (delete it to start again); the tracked example never changes. Extra
# arguments go to `quorvel edit` (for example --mark selected).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target quorvel

example=build/fleet.ms3d
if [ ! -f "$example" ]; then
  cp examples/fleet.ms3d "$example"
fi
if build/bin/quorvel --help | grep -q ' edit'; then
  exec build/bin/quorvel edit "$example" "$@"
fi
exec build/bin/quorvel --help
