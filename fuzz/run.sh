#!/usr/bin/env bash
# Runs the model-file reader's fuzzer for a while on the seed corpus.
#   fuzz/run.sh BINARY SECONDS
# Exits non-zero when the fuzzer finds a crash, a leak, undefined behaviour, a
# timeout or an allocation beyond the limit; the input that caused it is kept in
# fuzz/corpus-work/ (crash-*, leak-*, timeout-*, oom-*).
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: $0 BINARY SECONDS" >&2
  exit 2
fi
binary=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)

# New inputs go to a work folder, so that the committed seeds stay small.
work=$here/corpus-work
mkdir -p "$work/corpus"

# Real third-party models make good seeds when they are installed.
seeds=("$here/corpus")
if [ -d /usr/share/assimp/models/MS3D ]; then
  seeds+=(/usr/share/assimp/models/MS3D)
fi

# Seed files that are not models (a .jpg, a readme) only cost a few runs.
exec "$binary" "$work/corpus" "${seeds[@]}" \
  -max_total_time="$seconds" -max_len=400000 -rss_limit_mb=1024 -malloc_limit_mb=256 \
  -timeout=10 -artifact_prefix="$work/" -print_final_stats=1
