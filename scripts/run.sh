#!/usr/bin/env bash
# Installs what is missing, builds Quorvel and opens the editor on the bundled
# example model. Extra arguments go to `quorvel edit` (for example --mark all).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target quorvel

example=examples/fleet.ms3d
if [ -f "$example" ] && build/bin/quorvel --help | grep -q ' edit'; then
  exec build/bin/quorvel edit "$example" "$@"
fi
exec build/bin/quorvel --help
