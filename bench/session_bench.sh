#!/usr/bin/env bash
# The editing session on models of 1k, 8k and 65k joints, each in a process of its
# own so that each peak memory is its own. Build first (Release):
#   cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_WITH_QT=OFF
#   cmake --build build-release --target session_bench
#   bash bench/session_bench.sh build-release
set -euo pipefail
build=${1:-build-release}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
for joints in 1024 8192 65535; do
  "$build/bin/session_bench" "$joints" "$folder"
done
