#!/usr/bin/env bash
# Runs every fuzz target, one after another, for SECONDS each.
#   fuzz/run-all.sh BUILD_FOLDER SECONDS
# The targets are built by `cmake --build BUILD_FOLDER --target fuzzers` in a build
# configured with clang and -DQUORVEL_FUZZ=ON (see fuzz/CMakeLists.txt). Exits
# non-zero when any target finds a fault; each run's last lines are shown.
set -uo pipefail
if [ $# -ne 2 ]; then
  echo "usage: $0 BUILD_FOLDER SECONDS" >&2
  exit 2
fi
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
failed=0
for target in ms3d_reader scene_reader ui_script attribute_text event_text model_check; do
  log=$(mktemp)
  if bash "$here/run.sh" "$build/fuzz/${target}_fuzzer" "$seconds" >"$log" 2>&1; then
    echo "$target: $(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$') runs, no fault"
  else
    failed=1
    echo "$target: FAULT FOUND (input kept in fuzz/corpus-work/$target/)"
    tail -n 40 "$log"
  fi
  rm -f "$log"
done
exit $failed
